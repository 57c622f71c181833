#include "platform/win32/Imagelists.h"

#include <commctrl.h>
#include <initguid.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include <array>
#include <map>
#include <utility>

namespace platform::win32 {
namespace {

struct SizedList {
    HIMAGELIST list = nullptr;
    int size = 0;
};

// Every list the shell offers, asked for once: the shell keeps them for the whole process. An
// image list the shell hands out is its IImageList, which the image list functions take as is.
// The system's small icon size (SHIL_SYSSMALL) follows the display's scale where the shell's
// own small list may not.
const std::array<SizedList, 5>& shellLists() {
    static const std::array<SizedList, 5> lists = [] {
        std::array<SizedList, 5> found{};
        const int kinds[] = {SHIL_SMALL, SHIL_SYSSMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO};
        for (std::size_t i = 0; i < found.size(); ++i) {
            IImageList* list = nullptr;
            if (FAILED(SHGetImageList(kinds[i], IID_IImageList,
                                      reinterpret_cast<void**>(&list))))
                continue;
            int width = 0, height = 0;
            found[i].list = reinterpret_cast<HIMAGELIST>(list);
            if (ImageList_GetIconSize(found[i].list, &width, &height)) found[i].size = width;
        }
        return found;
    }();
    return lists;
}

// The picture at `index` of `source` as an icon of ours, made when it is first drawn and kept for
// the process, as the shell keeps its lists: one per picture and size shown, however many entries
// show it. Under Wine, drawing straight from an image list blends through a fresh bitmap on every
// call, several times slower than drawing an icon; and an icon drawn is pixel for pixel the one
// the shell hands out for the path.
HICON pictureOf(const SizedList& source, int index) {
    static std::map<std::pair<HIMAGELIST, int>, HICON> made;
    const auto [place, fresh] = made.try_emplace({source.list, index}, nullptr);
    if (fresh) place->second = ImageList_GetIcon(source.list, index, ILD_NORMAL);
    return place->second;
}

// The list of `size` pixels, else the largest smaller one; none when every list is larger.
SizedList nearestList(int size) {
    SizedList best;
    for (const SizedList& candidate : shellLists())
        if (candidate.list && candidate.size <= size && candidate.size > best.size)
            best = candidate;
    return best;
}

} // namespace

void drawShellIcon(HDC dc, POINT at, ShellIcon icon, int size) {
    if (!icon) return;
    const SizedList source = nearestList(size);
    if (!source.list) return;
    const HICON picture = pictureOf(source, icon.index());
    if (!picture) return;
    const int inset = (size - source.size) / 2;
    DrawIconEx(dc, at.x + inset, at.y + inset, picture, 0, 0, 0, nullptr, DI_NORMAL);
}

} // namespace platform::win32
