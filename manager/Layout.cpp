#include "manager/Layout.h"

#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>

namespace layout {
namespace {

constexpr int kSmallCell = 45;
constexpr int kLargeCellWidth = 70;
constexpr int kLargeCellHeight = 60;
constexpr int kTitleExtraWidth = 20;
constexpr int kTitleGap = 10;
constexpr int kTitleLeftWhenTooWide = 4;
constexpr int kTitleRoom = 8;
constexpr int kNameBoxExtraWidth = 20;
constexpr int kNameBoxExtraHeight = 10;

} // namespace

void sizeIconCell(IconArea& entry, const Appearance& appearance, const TextMeasurer& measure) {
    const int px = appearance.iconPixelSize;
    entry.SetHeight(appearance.smallIcons ? kSmallCell : kLargeCellHeight);
    entry.SetWidth(appearance.smallIcons ? kSmallCell : kLargeCellWidth);
    entry.IconRect.SetHeight(px);
    entry.IconRect.SetTop((entry.Height - px) / 2);
    int iconLeft = (entry.Width - px) / 2;
    if (appearance.showIconTitle) {
        entry.SetWidth(entry.Width + kTitleExtraWidth);
        iconLeft = (entry.Width - px) / 2;
        const platform::Size title = measure(appearance.iconTitleFont, entry.GetTitle());
        entry.TitleRect.SetLeft(title.width > entry.Width - kTitleRoom
                                    ? kTitleLeftWhenTooWide
                                    : (entry.Width - title.width) / 2);
        entry.TitleRect.SetHeight(title.height);
        entry.SetHeight(entry.Height + title.height);
        entry.IconRect.SetTop((entry.Height - px - title.height - kTitleGap) / 2);
        entry.TitleRect.SetTop(entry.IconRect.Top + px + kTitleGap);
    }
    entry.IconRect.SetLeft(iconLeft);
    entry.IconRect.SetWidth(px);
}

int layoutIcons(const Categories& categories, const Appearance& appearance,
                const TextMeasurer& measure) {
    int maxIconHeight = 0;
    for (const auto& bar : categories) {
        bar->IconBox->ResetWidth();
        for (const auto& entry : bar->Links) {
            sizeIconCell(*entry, appearance, measure);
            maxIconHeight = std::max(maxIconHeight, entry->Height);
            bar->IconBox->GrowWidth(entry->Width);
        }
    }
    for (const auto& bar : categories)
        bar->IconBox->SetHeight(maxIconHeight);
    return maxIconHeight;
}

void sizeNameBox(Bar& category, const platform::Font& sharedFont, const TextMeasurer& measure) {
    const platform::Size name =
        measure(category.UseOwnNameFont ? category.NameFont : sharedFont, category.GetName());
    category.NameBox->SetWidth(name.width + kNameBoxExtraWidth);
    category.NameBox->SetHeight(name.height + kNameBoxExtraHeight);
}

void layoutRows(const Categories& categories, Square& rows, int maxIconHeight,
                const Appearance& appearance, const TextMeasurer& measure, int maxWidth) {
    int lineHeight = maxIconHeight;
    int nameWidth = 0;
    for (const auto& bar : categories) {
        bar->NameBox->Alignment = appearance.barNameAlignment;
        sizeNameBox(*bar, appearance.barNameFont, measure);
        nameWidth = std::max(nameWidth, bar->NameBox->Width);
        lineHeight = std::max(lineHeight, bar->NameBox->Height);
    }
    int leftWidth = 0;
    int rightWidth = 0;
    for (const auto& bar : categories) {
        bar->IconBox->wrapAt(maxWidth - nameWidth);
        leftWidth = std::max(leftWidth, bar->LeftBox->Width);
        rightWidth = std::max(rightWidth, bar->RightBox->Width);
    }
    const int total = leftWidth + rightWidth;
    rows.SetWidth(total);
    int y = rows.Top;
    for (const auto& bar : categories) {
        bar->IconBox->LineHeight = lineHeight;
        bar->SetHeight(lineHeight * bar->IconBox->lineCount());
        bar->SetTop(y);
        y += bar->Height;
        bar->SetWidth(total);
        bar->LeftBox->SetLeft(rows.Left);
        bar->LeftBox->SetWidth(leftWidth);
        bar->RightBox->SetWidth(rightWidth);
        bar->RightBox->SetLeft(total - rightWidth);
    }
    rows.SetHeight(y);
}

} // namespace layout
