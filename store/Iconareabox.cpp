#include "store/Iconareabox.h"

#include "store/Bar.h"

#include <algorithm>

IconAreaBox::IconAreaBox(Bar* owner) : Owner(owner) {
    ResetWidth();
}

void IconAreaBox::forEachPlace(
    const std::function<void(IconArea&, std::int32_t, int)>& visit) const {
    std::int32_t x = 0;
    int line = 0;
    for (const auto& entry : Owner->Links) {
        if (x > 0 && entry->Width > LineWidth - x) {
            ++line;
            x = 0;
        }
        visit(*entry, x, line);
        x += entry->Width;
    }
}

void IconAreaBox::placeEntries() {
    forEachPlace([this](IconArea& entry, std::int32_t x, int line) {
        entry.SetLeft(Left + LeftMargin + x);
        entry.SetTop(Top + line * LineHeight);
    });
}

void IconAreaBox::SetLeft(std::int32_t x) {
    Left = x;
    placeEntries();
}

void IconAreaBox::SetTop(std::int32_t y) {
    Top = y;
    placeEntries();
}

void IconAreaBox::SetHeight(std::int32_t h) {
    Height = h;
    for (const auto& entry : Owner->Links)
        entry->SetHeight(h);
}

void IconAreaBox::ResetWidth() {
    Width = LeftMargin + RightMargin;
}

void IconAreaBox::GrowWidth(std::int32_t n) {
    SetWidth(Width + n);
}

void IconAreaBox::wrapAt(std::int32_t boxWidth) {
    LineWidth = boxWidth - LeftMargin - RightMargin;
    std::int32_t widest = 0;
    forEachPlace([&widest](IconArea& entry, std::int32_t x, int) {
        widest = std::max(widest, x + entry.Width);
    });
    SetWidth(LeftMargin + widest + RightMargin);
}

int IconAreaBox::lineCount() const {
    int lines = 1;
    forEachPlace([&lines](IconArea&, std::int32_t, int line) { lines = line + 1; });
    return lines;
}
