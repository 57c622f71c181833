#pragma once
// Scope-bound owners of what the system hands out and wants back: kernel handles, COM interface
// pointers, device contexts, GDI objects and the objects selected into a device context. Each
// gives back what it holds exactly once: when it goes, or when another is moved into it. A move
// hands that duty to the new owner and leaves the old one holding nothing. Copying is deleted.

#include "platform/win32/Handlecount.h"

#include <unknwn.h>
#include <utility>
#include <windows.h>

namespace platform::win32 {

// The owner of one handle that `Traits::giveBack` returns to the system; `Traits::holds` tells a
// handle from the values that stand for none, and `Traits::taken` counts a handle as it comes.
template <class Traits> class Owned {
public:
    using Handle = typename Traits::Handle;

    explicit Owned(const Handle& handle) : handle_(handle) { Traits::taken(handle_); }
    ~Owned() { giveBack(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this == &other) return *this;
        reset();
        std::swap(handle_, other.handle_);
        return *this;
    }

    bool valid() const { return Traits::holds(handle_); }
    Handle get() const { return handle_; }
    // Gives back what is held now, holding nothing after.
    void reset() {
        giveBack();
        handle_ = Handle{};
    }

protected:
    // Where a creating call puts a new handle; only while nothing is held.
    Handle* place() { return &handle_; }

private:
    void giveBack() {
        if (Traits::holds(handle_)) Traits::giveBack(handle_);
    }

    Handle handle_;
};

// A kernel handle closed by `Close`; INVALID_HANDLE_VALUE and null hold nothing.
template <BOOL(WINAPI* Close)(HANDLE)> struct KernelHandle {
    using Handle = HANDLE;
    static bool holds(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void taken(HANDLE) {}
    static void giveBack(HANDLE handle) { Close(handle); }
};

using FileHandle = Owned<KernelHandle<CloseHandle>>;
using FindHandle = Owned<KernelHandle<FindClose>>;

// A GDI handle deleted by `Delete`, counted as `kind` while it lives (Handlecount.h).
template <class GdiHandle, BOOL(WINAPI* Delete)(GdiHandle), handles::Kind kind> struct CountedGdi {
    using Handle = GdiHandle;
    static bool holds(GdiHandle handle) { return handle != nullptr; }
    static void taken(GdiHandle handle) {
        if (handle) handles::created(kind);
    }
    static void giveBack(GdiHandle handle) {
        Delete(handle);
        handles::freed(kind);
    }
};

// A pen, brush, font, bitmap or region.
using ScopedGdiObject = Owned<CountedGdi<HGDIOBJ, DeleteObject, handles::GdiObject>>;

// A memory device context compatible with the screen.
class MemoryDC : public Owned<CountedGdi<HDC, DeleteDC, handles::DeviceContext>> {
public:
    MemoryDC() : Owned(CreateCompatibleDC(nullptr)) {}
};

template <class Interface> struct ComReference {
    using Handle = Interface*;
    static bool holds(Interface* pointer) { return pointer != nullptr; }
    static void taken(Interface*) {}
    static void giveBack(Interface* pointer) { pointer->Release(); }
};

// One reference to a COM interface.
template <class Interface> class ComPtr : public Owned<ComReference<Interface>> {
public:
    ComPtr() : Owned<ComReference<Interface>>(nullptr) {}

    // The place where a creating or querying call puts a new reference; only while empty.
    void** receive() { return reinterpret_cast<void**>(this->place()); }
    Interface* operator->() const { return this->get(); }
    explicit operator bool() const { return this->valid(); }
};

// An object selected into a device context, with the one it replaced, which goes back.
struct Selection {
    struct Handle {
        HDC dc;
        HGDIOBJ previous;
    };
    static bool holds(const Handle& selection) { return selection.dc && selection.previous; }
    static void taken(const Handle&) {}
    static void giveBack(const Handle& selection) { SelectObject(selection.dc, selection.previous); }
};

// Selects an object into a device context and puts the previous one back when it ends.
class SelectedObject : public Owned<Selection> {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : Owned({dc, SelectObject(dc, object)}) {}

    // Puts the previous object back, then selects `object` into `dc`.
    void select(HDC dc, HGDIOBJ object) {
        reset();
        *this = SelectedObject(dc, object);
    }
};

struct WindowContext {
    struct Handle {
        HWND window;
        HDC dc;
    };
    static bool holds(const Handle& context) { return context.dc != nullptr; }
    static void taken(const Handle&) {}
    static void giveBack(const Handle& context) { ReleaseDC(context.window, context.dc); }
};

// The device context of a window (or of the screen, for a null window).
class WindowDC : public Owned<WindowContext> {
public:
    explicit WindowDC(HWND window) : Owned({window, GetDC(window)}) {}
    HDC get() const { return Owned::get().dc; }
};

struct PaintContext {
    struct Handle {
        HWND window;
        PAINTSTRUCT paint;
        HDC dc;
    };
    static bool holds(const Handle& context) { return context.window != nullptr; }
    static void taken(const Handle&) {}
    static void giveBack(const Handle& context) { EndPaint(context.window, &context.paint); }
    static Handle begin(HWND window) {
        Handle context{window, {}, nullptr};
        context.dc = BeginPaint(window, &context.paint);
        return context;
    }
};

// BeginPaint and EndPaint around the handling of one WM_PAINT.
class PaintDC : public Owned<PaintContext> {
public:
    explicit PaintDC(HWND window) : Owned(PaintContext::begin(window)) {}
    HDC get() const { return Owned::get().dc; }
};

} // namespace platform::win32
