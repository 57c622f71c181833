#include "platform/win32/Imagelists.h"

#include <commctrl.h>
#include <initguid.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include <array>

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
    const int inset = (size - source.size) / 2;
    ImageList_Draw(source.list, icon.index(), dc, at.x + inset, at.y + inset, ILD_NORMAL);
}

} // namespace platform::win32
