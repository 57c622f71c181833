#pragma once
// An icon's picture as premultiplied 32-bit pixels, kept selected in a memory context of its own,
// so that drawing it is one blend. Under Wine, drawing an icon handle makes and frees contexts and
// bitmaps on every call and costs about fifty times as much: a window of a few thousand icons
// took over a hundred milliseconds to paint.

#include "platform/win32/Scoped.h"

#include <windows.h>

namespace platform::win32 {

class BlendedPicture {
public:
    // The pixels DrawIconEx gives `icon` at its own size, over any background.
    explicit BlendedPicture(HICON icon);

    // With its top-left corner at `at`, blended over what `dc` shows there.
    void draw(HDC dc, POINT at) const;

private:
    SIZE size_{};
    MemoryDC dc_;
    ScopedGdiObject pixels_;
    SelectedObject selection_; // released first: the pixels are out of the context when deleted
};

} // namespace platform::win32
