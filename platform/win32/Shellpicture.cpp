#include "platform/win32/Shellpicture.h"

#include <shellapi.h>

namespace platform {
namespace {

// The picture of the icon at `index` in `file` made at `pixels` square, as the shell makes the
// pictures of its own lists; null when the file is no image or holds no such icon.
HICON fromFile(const std::wstring& file, int index, int pixels) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT made =
        PrivateExtractIconsW(file.c_str(), index, pixels, pixels, &icon, &id, 1, LR_DEFAULTCOLOR);
    if (made == 1 && icon) return icon;
    if (icon) DestroyIcon(icon);
    return nullptr;
}

// What the shell hands out for `path` at the system's small or large icon size, the larger one
// when the square takes it; its size in `size`.
HICON handedOut(const std::wstring& path, int pixels, int& size) {
    const bool large = pixels >= GetSystemMetrics(SM_CXICON);
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info,
                        SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)))
        return nullptr;
    size = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    return info.hIcon;
}

} // namespace

ShellPicture::ShellPicture(std::wstring file, int index, std::wstring path)
    : file_(std::move(file)), index_(index), path_(std::move(path)) {}

ShellPicture::ShellPicture(std::wstring path) : path_(std::move(path)) {}

const ShellPicture::Sized* ShellPicture::at(int pixels) {
    for (const Sized& made : made_)
        if (made.square == pixels) return made.picture ? &made : nullptr;
    int size = pixels;
    HICON icon = file_.empty() ? nullptr : fromFile(file_, index_, pixels);
    // A program without an icon of its own: the shell shows one of its own for it, at any size.
    if (!icon) {
        file_.clear();
        icon = handedOut(path_, pixels, size);
    }
    const win32::ScopedIcon handle(icon); // only its pixels are kept
    made_.push_back({pixels, size, std::nullopt});
    if (!handle.valid()) return nullptr;
    made_.back().picture.emplace(handle.get());
    return &made_.back();
}

void win32::drawShellIcon(HDC dc, POINT at, const ShellIcon& icon, int pixels) {
    if (!icon) return;
    const ShellPicture::Sized* picture = icon.picture()->at(pixels);
    if (!picture) return;
    const int inset = (pixels - picture->size) / 2;
    picture->picture->draw(dc, {at.x + inset, at.y + inset});
}

} // namespace platform
