#pragma once
// The Windows backend's picture of one icon, taken from the icon's own file at each size it is
// drawn at, and only at those. The shell's system image lists would keep every picture at four
// sizes up to 256 pixels for the whole process; pictures taken this way cost what is drawn, and go
// with the last entry that shows them.

#include "platform/Shellicon.h"
#include "platform/win32/Blendedpicture.h"
#include "platform/win32/Scoped.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace platform {

namespace win32 {
struct IconHandle {
    using Handle = HICON;
    static bool holds(HICON icon) { return icon != nullptr; }
    static void taken(HICON) {}
    static void giveBack(HICON icon) { DestroyIcon(icon); }
};
using ScopedIcon = Owned<IconHandle>;
} // namespace win32

class ShellPicture {
public:
    // The icon `index` of `file` as the shell names icons (an index, or below 0 a resource id),
    // the one the shell shows for `path`.
    ShellPicture(std::wstring file, int index, std::wstring path);
    // The icon the shell shows for `path` and names by no file: what the shell hands out.
    explicit ShellPicture(std::wstring path);

    struct Sized {
        int square; // the square it was asked for, in pixels
        int size;   // its own size, which may be smaller (centred) or larger
        std::optional<win32::BlendedPicture> picture; // none when the shell gave none
    };
    // The picture for a square of `pixels`, made now when it was not asked for before; null when
    // there is none (the answer is kept too, so a paint never asks twice).
    const Sized* at(int pixels);

private:
    std::wstring file_; // "" once the file gave no picture, or for an icon in no file
    int index_ = 0;
    std::wstring path_;
    std::vector<Sized> made_;
};

namespace win32 {
// Draws `icon` in the square of `pixels` with its corner at `at`.
void drawShellIcon(HDC dc, POINT at, const ShellIcon& icon, int pixels);
} // namespace win32

} // namespace platform
