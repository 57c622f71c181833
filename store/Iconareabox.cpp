#include "store/Iconareabox.h"

#include "store/Bar.h"

IconAreaBox::IconAreaBox(Bar* owner) : Owner(owner) {
    ResetWidth();
}

void IconAreaBox::SetLeft(std::int32_t x) {
    Left = x;
    std::int32_t cellLeft = x + LeftMargin;
    for (const auto& entry : Owner->Links) {
        entry->SetLeft(cellLeft);
        cellLeft += entry->Width;
    }
}

void IconAreaBox::SetTop(std::int32_t y) {
    Top = y;
    for (const auto& entry : Owner->Links)
        entry->SetTop(y);
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
