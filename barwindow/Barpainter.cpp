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
// Beyond the corners of a background's rounded rectangle.
constexpr int kCutMargin = 2;

} // namespace

BarPainter::BarPainter(platform::Canvas& canvas, const BarManager& manager,
                       const layout::Row& row, const IconArea* highlighted, PaintMode mode)
    : BarPainter(canvas, manager, row, highlighted, mode, row.rect.left, row.rect.top) {}

BarPainter::BarPainter(platform::Canvas& canvas, const BarManager& manager,
                       const layout::Row& row, const IconArea* highlighted, PaintMode mode,
                       std::int32_t offsetX, std::int32_t offsetY)
    : canvas_(canvas), manager_(manager), row_(row), bar_(*row.category),
      highlighted_(highlighted), mode_(mode), offsetX_(offsetX), offsetY_(offsetY) {}

void BarPainter::drawCategory() {
    drawCategory({offsetX_, offsetY_, row_.rect.width, row_.rect.height});
}

// The rounded corners lie beyond the area's edges, where the background is cut.
void BarPainter::drawCategory(const platform::Rect& area) {
    const platform::Rect whole{offsetX_ + 1, offsetY_, row_.rect.width - 2, row_.rect.height};
    const int top = std::max(whole.top, area.top - kCutMargin);
    const int bottom = std::min(whole.bottom(), area.bottom() + kCutMargin);
    if (bottom > top) drawBackground({whole.left, top, whole.width, bottom - top});
    drawName();
}

// The first and the last pixel column stay unpainted, so the window's background shows there.
void BarPainter::drawBackground(const platform::Rect& shape) {
    const platform::Pen pen = canvas_.pen;
    const platform::Color brushColor = canvas_.brush.color;
    canvas_.pen.color = bar_.Color;
    canvas_.pen.width = 1;
    canvas_.brush.color = bar_.Color;
    canvas_.roundRect(shape, 1, 1);
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
    const platform::Rect& box = row_.nameBox;
    int x = box.right() - size.width - kNameRightInset; // right
    if (row_.nameAlignment == std::uint8_t(BarNameAlignment::Left))
        x = box.left + kNameLeftInset;
    else if (row_.nameAlignment == std::uint8_t(BarNameAlignment::Center))
        x = box.left + box.width / 2 - size.width / 2;
    const int firstLine = row_.rect.height / row_.lineCount;
    canvas_.textOut({offsetX_ + x, offsetY_ + firstLine / 2 - size.height / 2}, name);
}

void BarPainter::drawIcons() {
    for (const layout::Cell& cell : row_.cells)
        drawEntry(cell);
}

void BarPainter::drawIcons(const platform::Rect& area) {
    for (const layout::Cell& cell : row_.cells) {
        if (reaches(cell, area))
            drawEntry(cell);
        else
            keepStateOf(cell);
    }
}

void BarPainter::drawEntry(const layout::Cell& cell) {
    const bool highlighted = cell.entry == highlighted_;
    if (highlighted && mode_ != PaintMode::Normal) drawInsertMark(cell);
    if (!cell.entry->GetIcon()) return;
    if (highlighted && mode_ == PaintMode::Normal)
        drawHovered(cell);
    else
        drawIcon(cell);
}

// Pictures, the hover frame and the insertion mark stay inside the cell (the layout makes cells
// larger than the enlarged picture). A title does not: it is drawn unclipped from its place in
// the cell and may be wider than the cell, over the neighbours to the right and past the row's
// end. Titles are not measured here, since this runs on every mouse move; so with titles shown,
// an entry reaches everything to the right of its cell's left edge within the cell's rows.
bool BarPainter::reaches(const layout::Cell& cell, const platform::Rect& area) const {
    platform::Rect reach = cell.rect.offset({offsetX_, offsetY_});
    if (manager_.showIconTitle) reach.width = std::max(reach.width, area.right() - reach.left);
    return reach.intersects(area);
}

// What drawing the entry would leave on the canvas, without the drawing: the next repaint,
// clipped or not, then starts from the same pen (which an insertion mark takes) and font.
void BarPainter::keepStateOf(const layout::Cell& cell) {
    if (!cell.entry->GetIcon()) return;
    if (isHovered(cell) && !showsEnlarged()) useHoverPen();
    if (manager_.showIconTitle) useTitleFont(cell);
}

bool BarPainter::isHovered(const layout::Cell& cell) const {
    return cell.entry == highlighted_ && mode_ == PaintMode::Normal;
}

// Small icons without titles have no room for a frame: the hovered one is shown enlarged.
bool BarPainter::showsEnlarged() const {
    return manager_.iconSizeType == std::int32_t(IconSizeType::Small) && !manager_.showIconTitle;
}

void BarPainter::drawHovered(const layout::Cell& cell) {
    if (!showsEnlarged()) {
        drawHoverFrame(cell);
        drawIcon(cell);
        return;
    }
    const platform::Point corner = cellCorner(cell);
    canvas_.drawIcon({corner.x + cell.rect.width / 2 - kLargePicture / 2,
                      corner.y + cell.rect.height / 2 - kLargePicture / 2},
                     cell.entry->GetIcon(), kLargePicture);
}

// Filled with the canvas's brush, which on the window's icon layer stays solid white. The pen
// is left as it is: an insertion mark drawn later on this canvas takes its colour.
void BarPainter::drawHoverFrame(const layout::Cell& cell) {
    useHoverPen();
    const int inset = manager_.showIconTitle ? kFrameInsetWithTitles : kFrameInsetWithoutTitles;
    const platform::Point corner = cellCorner(cell);
    canvas_.rectangle({corner.x + inset, corner.y + inset, cell.rect.width - 2 * inset,
                       cell.rect.height - 2 * inset});
}

void BarPainter::useHoverPen() {
    canvas_.pen.color = platform::Colors::ButtonShadow;
    canvas_.pen.width = kFramePenWidth;
}

void BarPainter::drawIcon(const layout::Cell& cell) {
    const platform::Point corner = cellCorner(cell);
    canvas_.drawIcon({corner.x + cell.icon.left, corner.y + cell.icon.top}, cell.entry->GetIcon(),
                     manager_.iconPixelSize());
    if (!manager_.showIconTitle) return;
    useTitleFont(cell);
    canvas_.textOut({corner.x + cell.title.left, corner.y + cell.title.top},
                    cell.entry->GetTitle());
}

// The highlighted title is black in either mode; the others take the colour of the category's
// name font even when the category shows its name in the global one.
void BarPainter::useTitleFont(const layout::Cell& cell) {
    canvas_.font = manager_.iconTitleFont;
    canvas_.font.color = cell.entry == highlighted_ ? platform::Colors::Black : bar_.NameFont.color;
}

// In front of the entry, where the dragged item will be put. The pen's colour is whatever the
// canvas holds: the last hover frame's, or black on a canvas that has never shown one.
void BarPainter::drawInsertMark(const layout::Cell& cell) {
    const int width = canvas_.pen.width;
    canvas_.pen.width = kMarkPenWidth;
    const platform::Point corner = cellCorner(cell);
    canvas_.line({corner.x + kMarkLeft, corner.y + kMarkEndInset},
                 {corner.x + kMarkLeft, corner.y + cell.rect.height - kMarkEndInset});
    canvas_.pen.width = width;
}

platform::Point BarPainter::cellCorner(const layout::Cell& cell) const {
    return {offsetX_ + cell.rect.left, offsetY_ + cell.rect.top};
}
