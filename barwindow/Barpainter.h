#pragma once
// Draws one category row onto a canvas, in two passes the category window keeps apart: the
// static part (background and name), redrawn only when it changes, and the live part (the
// entries with their titles and the mouse feedback), redrawn on every repaint. A painter lives
// for one call, but what it leaves on the canvas does not: the pen of the last hover frame and
// the last font copied in stay there, and the window keeps its canvases across repaints.

#include "manager/Layout.h"
#include "platform/Canvas.h"

#include <cstdint>

class BarManager;
class IconArea;

// How the highlighted entry is shown; the numbers are the values the category window keeps.
enum class PaintMode : std::int32_t {
    Normal = 1, // the mouse is over it: hover highlight
    Drag = 2,   // something is dragged over it: insertion mark
};

class BarPainter {
public:
    // `row` as the layout placed it; `highlighted` is the entry under the pointer or the focus
    // (or none). Offsets are the row's place on the window, for the window's buffers.
    BarPainter(platform::Canvas& canvas, const BarManager& manager, const layout::Row& row,
               const IconArea* highlighted, PaintMode mode);
    // Explicit offsets, such as (0, 0) for a bitmap of the row's own size.
    BarPainter(platform::Canvas& canvas, const BarManager& manager, const layout::Row& row,
               const IconArea* highlighted, PaintMode mode, std::int32_t offsetX,
               std::int32_t offsetY);

    void drawCategory(); // drawBackground, then drawName
    // The same pixels within `area` (canvas coordinates), without filling the whole of a row
    // that reaches far beyond it.
    void drawCategory(const platform::Rect& area);
    // Every entry, in list order. An entry whose icons are not loaded yet is drawn as nothing
    // (it stays clickable); the painter never loads them, since that may wait on the network.
    void drawIcons();
    // Only what reaches `area` (canvas coordinates), so that a repaint clipped to `area` shows
    // the same pixels as after drawIcons(); the canvas is left in the same state as well.
    void drawIcons(const platform::Rect& area);

private:
    void drawBackground(const platform::Rect& shape);
    void drawName();
    void drawEntry(const layout::Cell& cell);
    void drawIcon(const layout::Cell& cell);
    void drawHovered(const layout::Cell& cell);
    void drawHoverFrame(const layout::Cell& cell);
    void drawInsertMark(const layout::Cell& cell);

    bool reaches(const layout::Cell& cell, const platform::Rect& area) const;
    void keepStateOf(const layout::Cell& cell);
    bool isHovered(const layout::Cell& cell) const;
    bool showsEnlarged() const;
    void useHoverPen();
    void useTitleFont(const layout::Cell& cell);
    platform::Point cellCorner(const layout::Cell& cell) const;

    platform::Canvas& canvas_;
    const BarManager& manager_;
    const layout::Row& row_;
    const Bar& bar_;
    const IconArea* highlighted_;
    PaintMode mode_;
    std::int32_t offsetX_;
    std::int32_t offsetY_;
};
