#include "barwindow/Barpainter.h"

#include "manager/Barmanager.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kLargePicture = 32; // the shell's large icons, as the layout sizes the cells for
constexpr int kNameLeftInset = 5;
constexpr int kNameRightInset = 10;
constexpr int kFrameInsetWithTitles = 2;
constexpr int kFrameInsetWithoutTitles = 5;
constexpr int kFramePenWidth = 2;
constexpr int kMarkPenWidth = 3;
constexpr int kMarkLeft = 2;
constexpr int kMarkEndInset = 3;

} // namespace

BarPainter::BarPainter(platform::Canvas& canvas, const BarManager& manager, const Bar& bar,
                       PaintMode mode)
    : BarPainter(canvas, manager, bar, mode, bar.Left, bar.Top) {}

BarPainter::BarPainter(platform::Canvas& canvas, const BarManager& manager, const Bar& bar,
                       PaintMode mode, std::int32_t offsetX, std::int32_t offsetY)
    : canvas_(canvas), manager_(manager), bar_(bar), mode_(mode), offsetX_(offsetX),
      offsetY_(offsetY) {}

void BarPainter::drawCategory() {
    drawBackground();
    drawName();
}

// The first and the last pixel column stay unpainted, so the window's background shows there.
void BarPainter::drawBackground() {
    const platform::Pen pen = canvas_.pen;
    const platform::Color brushColor = canvas_.brush.color;
    canvas_.pen.color = bar_.Color;
    canvas_.pen.width = 1;
    canvas_.brush.color = bar_.Color;
    canvas_.roundRect({offsetX_ + 1, offsetY_, bar_.Width - 2, bar_.Height}, 1, 1);
    canvas_.pen.color = pen.color;
    canvas_.pen.width = pen.width;
    canvas_.brush.color = brushColor;
}

// Placed within the name box but centred on the row's first line (the whole row unless its icons
// wrap), and never clipped: a name wider than its box runs over. The canvas keeps the font. Text
// is always drawn on a transparent background, so the brush plays no part.
void BarPainter::drawName() {
    canvas_.font = bar_.UseOwnNameFont ? bar_.NameFont : manager_.barNameFont;
    const std::string& name = bar_.GetName();
    const platform::Size size = canvas_.textExtent(name);
    const BarNameBox& box = *bar_.NameBox;
    int x = box.Left + box.Width - size.width - kNameRightInset; // right
    if (box.Alignment == std::uint8_t(BarNameAlignment::Left))
        x = box.Left + kNameLeftInset;
    else if (box.Alignment == std::uint8_t(BarNameAlignment::Center))
        x = box.Left + box.Width / 2 - size.width / 2;
    const int firstLine = bar_.Height / bar_.IconBox->lineCount();
    canvas_.textOut({offsetX_ + x, offsetY_ + firstLine / 2 - size.height / 2}, name);
}

void BarPainter::drawIcons() {
    for (const auto& entry : bar_.Links)
        drawEntry(entry.get());
}

void BarPainter::drawIcons(const platform::Rect& area) {
    for (const auto& entry : bar_.Links) {
        if (reaches(entry.get(), area))
            drawEntry(entry.get());
        else
            keepStateOf(entry.get());
    }
}

void BarPainter::drawEntry(IconArea* entry) {
    const bool highlighted = entry == bar_.GetHighlighted();
    if (highlighted && mode_ != PaintMode::Normal) drawInsertMark(entry);
    if (!entry->GetIcon()) return;
    if (highlighted && mode_ == PaintMode::Normal)
        drawHovered(entry);
    else
        drawIcon(entry);
}

// Pictures, the hover frame and the insertion mark stay inside the cell (the layout makes cells
// larger than the enlarged picture). A title does not: it is drawn unclipped from its place in
// the cell and may be wider than the cell, over the neighbours to the right and past the row's
// end. Titles are not measured here, since this runs on every mouse move; so with titles shown,
// an entry reaches everything to the right of its cell's left edge within the cell's rows.
bool BarPainter::reaches(IconArea* entry, const platform::Rect& area) const {
    platform::Rect reach = entry->rect().offset({offsetX_, offsetY_});
    if (manager_.showIconTitle) reach.width = std::max(reach.width, area.right() - reach.left);
    return reach.intersects(area);
}

// What drawing the entry would leave on the canvas, without the drawing: the next repaint,
// clipped or not, then starts from the same pen (which an insertion mark takes) and font.
void BarPainter::keepStateOf(IconArea* entry) {
    if (!entry->GetIcon()) return;
    if (isHovered(entry) && !showsEnlarged()) useHoverPen();
    if (manager_.showIconTitle) useTitleFont(entry);
}

bool BarPainter::isHovered(IconArea* entry) const {
    return entry == bar_.GetHighlighted() && mode_ == PaintMode::Normal;
}

// Small icons without titles have no room for a frame: the hovered one is shown enlarged.
bool BarPainter::showsEnlarged() const {
    return manager_.iconSizeType == std::int32_t(IconSizeType::Small) && !manager_.showIconTitle;
}

void BarPainter::drawHovered(IconArea* entry) {
    if (!showsEnlarged()) {
        drawHoverFrame(entry);
        drawIcon(entry);
        return;
    }
    const platform::Point cell = cellCorner(entry);
    canvas_.drawIcon({cell.x + entry->Width / 2 - kLargePicture / 2,
                      cell.y + entry->Height / 2 - kLargePicture / 2},
                     entry->GetIcon(), kLargePicture);
}

// Filled with the canvas's brush, which on the window's icon layer stays solid white. The pen
// is left as it is: an insertion mark drawn later on this canvas takes its colour.
void BarPainter::drawHoverFrame(IconArea* entry) {
    useHoverPen();
    const int inset = manager_.showIconTitle ? kFrameInsetWithTitles : kFrameInsetWithoutTitles;
    const platform::Point cell = cellCorner(entry);
    canvas_.rectangle(
        {cell.x + inset, cell.y + inset, entry->Width - 2 * inset, entry->Height - 2 * inset});
}

void BarPainter::useHoverPen() {
    canvas_.pen.color = platform::Colors::ButtonShadow;
    canvas_.pen.width = kFramePenWidth;
}

void BarPainter::drawIcon(IconArea* entry) {
    const platform::Point cell = cellCorner(entry);
    canvas_.drawIcon({cell.x + entry->IconRect.Left, cell.y + entry->IconRect.Top},
                     entry->GetIcon(), manager_.iconPixelSize());
    if (!manager_.showIconTitle) return;
    useTitleFont(entry);
    canvas_.textOut({cell.x + entry->TitleRect.Left, cell.y + entry->TitleRect.Top},
                    entry->GetTitle());
}

// The highlighted title is black in either mode; the others take the colour of the category's
// name font even when the category shows its name in the global one.
void BarPainter::useTitleFont(IconArea* entry) {
    canvas_.font = manager_.iconTitleFont;
    canvas_.font.color =
        entry == bar_.GetHighlighted() ? platform::Colors::Black : bar_.NameFont.color;
}

// In front of the entry, where the dragged item will be put. The pen's colour is whatever the
// canvas holds: the last hover frame's, or black on a canvas that has never shown one.
void BarPainter::drawInsertMark(IconArea* entry) {
    const int width = canvas_.pen.width;
    canvas_.pen.width = kMarkPenWidth;
    const platform::Point cell = cellCorner(entry);
    canvas_.line({cell.x + kMarkLeft, cell.y + kMarkEndInset},
                 {cell.x + kMarkLeft, cell.y + entry->Height - kMarkEndInset});
    canvas_.pen.width = width;
}

platform::Point BarPainter::cellCorner(const IconArea* entry) const {
    return {offsetX_ + entry->Left, offsetY_ + entry->Top};
}
