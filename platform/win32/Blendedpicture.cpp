#include "platform/win32/Blendedpicture.h"

#include <algorithm>
#include <cstdint>

namespace platform::win32 {
namespace {

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    // Without colours the mask holds the AND and the XOR halves one above the other.
    const SIZE size{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

// A top-down 32-bit section of `size`, its pixels in `bits`.
HBITMAP section(SIZE size, std::uint32_t*& bits) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP made = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint32_t*>(pixels);
    return made;
}

// `icon` drawn over a background of `fill`, as DrawIconEx draws it.
ScopedGdiObject drawnOver(HICON icon, SIZE size, int fill, std::uint32_t*& bits) {
    ScopedGdiObject drawn(section(size, bits));
    if (!drawn.valid()) return drawn;
    const MemoryDC dc;
    const SelectedObject selection(dc.get(), drawn.get());
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(fill)));
    DrawIconEx(dc.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    GdiFlush();
    return drawn;
}

int channel(std::uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

// Over black a pixel shows its premultiplied colour; over white, as much more as it lets the
// background through. So the two drawings give the colour and the opacity that blend over any
// background exactly as the icon itself draws there.
std::uint32_t premultiplied(std::uint32_t overBlack, std::uint32_t overWhite) {
    int seeThrough = 0;
    for (const int shift : {0, 8, 16})
        seeThrough += channel(overWhite, shift) - channel(overBlack, shift);
    const int alpha = std::clamp(255 - seeThrough / 3, 0, 255);
    std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << 24;
    for (const int shift : {0, 8, 16})
        pixel |= static_cast<std::uint32_t>(std::min(channel(overBlack, shift), alpha)) << shift;
    return pixel;
}

} // namespace

BlendedPicture::BlendedPicture(HICON icon)
    : size_(iconSize(icon)), pixels_(nullptr), selection_(nullptr, nullptr) {
    if (size_.cx <= 0 || size_.cy <= 0) return;
    std::uint32_t *overBlack = nullptr, *overWhite = nullptr, *blended = nullptr;
    const ScopedGdiObject black = drawnOver(icon, size_, BLACK_BRUSH, overBlack);
    const ScopedGdiObject white = drawnOver(icon, size_, WHITE_BRUSH, overWhite);
    ScopedGdiObject made(section(size_, blended));
    if (!black.valid() || !white.valid() || !made.valid()) return;
    for (long i = 0; i < size_.cx * size_.cy; ++i)
        blended[i] = premultiplied(overBlack[i], overWhite[i]);
    pixels_ = std::move(made);
    selection_ = SelectedObject(dc_.get(), pixels_.get());
}

void BlendedPicture::draw(HDC dc, POINT at) const {
    if (!pixels_.valid()) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, at.x, at.y, size_.cx, size_.cy, dc_.get(), 0, 0, size_.cx, size_.cy, blend);
}

} // namespace platform::win32
