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

// A handle given back by `Close`; INVALID_HANDLE_VALUE and null hold nothing.
template <BOOL(WINAPI* Close)(HANDLE)> class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() { giveBack(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        handle_ = std::exchange(other.handle_, nullptr);
        return *this;
    }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    void giveBack() {
        if (valid()) Close(handle_);
    }

    HANDLE handle_;
};

using FileHandle = ScopedHandle<CloseHandle>;
using FindHandle = ScopedHandle<FindClose>;

// One reference to a COM interface.
template <class Interface> class ComPtr {
public:
    ComPtr() : pointer_(nullptr) {}
    ~ComPtr() { giveBack(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        pointer_ = std::exchange(other.pointer_, nullptr);
        return *this;
    }

    // The place where a creating or querying call puts a new reference; only while empty.
    void** receive() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    void giveBack() {
        if (pointer_) pointer_->Release();
    }

    Interface* pointer_;
};

// A memory device context compatible with the screen, counted while it lives (Handlecount.h).
class MemoryDC {
public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) handles::created(handles::DeviceContext);
    }
    ~MemoryDC() { giveBack(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        dc_ = std::exchange(other.dc_, nullptr);
        return *this;
    }

    HDC get() const { return dc_; }

private:
    void giveBack() {
        if (!dc_) return;
        DeleteDC(dc_);
        handles::freed(handles::DeviceContext);
    }

    HDC dc_;
};

// A pen, brush, font, bitmap or region, deleted when the owner goes, counted while it lives.
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {
        if (object_) handles::created(handles::GdiObject);
    }
    ~ScopedGdiObject() { giveBack(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept
        : object_(std::exchange(other.object_, nullptr)) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        object_ = std::exchange(other.object_, nullptr);
        return *this;
    }

    HGDIOBJ get() const { return object_; }

private:
    void giveBack() {
        if (!object_) return;
        DeleteObject(object_);
        handles::freed(handles::GdiObject);
    }

    HGDIOBJ object_;
};

// Selects an object into a device context and puts the previous one back when it ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { giveBack(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)),
          previous_(std::exchange(other.previous_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        dc_ = std::exchange(other.dc_, nullptr);
        previous_ = std::exchange(other.previous_, nullptr);
        return *this;
    }

    // Puts the previous object back, then selects `object` into `dc`.
    void select(HDC dc, HGDIOBJ object) {
        giveBack();
        dc_ = dc;
        previous_ = SelectObject(dc, object);
    }

private:
    void giveBack() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window (or of the screen, for a null window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { giveBack(); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        window_ = std::exchange(other.window_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
        return *this;
    }

    HDC get() const { return dc_; }

private:
    void giveBack() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around the handling of one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), paint_(), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { giveBack(); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    PaintDC(PaintDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), paint_(other.paint_),
          dc_(std::exchange(other.dc_, nullptr)) {}
    PaintDC& operator=(PaintDC&& other) noexcept {
        if (this == &other) return *this;
        giveBack();
        window_ = std::exchange(other.window_, nullptr);
        paint_ = other.paint_;
        dc_ = std::exchange(other.dc_, nullptr);
        return *this;
    }

    HDC get() const { return dc_; }

private:
    void giveBack() {
        if (window_) EndPaint(window_, &paint_);
    }

    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

} // namespace platform::win32
