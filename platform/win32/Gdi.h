#pragma once
// Scope-bound owners of GDI objects: a memory device context, a font made from platform::Font,
// and an object selected into a device context for as long as the owner lives.

#include "platform/Font.h"

#include <windows.h>

namespace platform::win32 {

class MemoryDC {
public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The logical font for `font` at the screen's resolution (size in points).
HFONT createFont(const Font& font);

class FontHandle {
public:
    explicit FontHandle(const Font& font) : font_(createFont(font)) {}
    ~FontHandle() { release(); }
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(FontHandle&& other) noexcept {
        if (this != &other) {
            release();
            font_ = other.font_;
            other.font_ = nullptr;
        }
        return *this;
    }
    FontHandle(FontHandle&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    HFONT get() const { return font_; }

private:
    void release() {
        if (font_) DeleteObject(font_);
        font_ = nullptr;
    }
    HFONT font_;
};

// Selects an object into a device context and puts the previous one back when it ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) { select(dc, object); }
    ~SelectedObject() { reset(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    void select(HDC dc, HGDIOBJ object) {
        reset();
        dc_ = dc;
        previous_ = SelectObject(dc, object);
    }
    void reset() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

} // namespace platform::win32
