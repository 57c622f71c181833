// The category painter on the headless raster: shapes land as pixels, texts and icons as the runs
// the raster records. Text is as many pixels wide a character as its font has points, 13 high.
#include "barwindow/Barpainter.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;
using platform::headless::rasterOf;
constexpr platform::Color kShadow = 0x808080, kRow = 0x00FF00, kNameColor = 0x0000FF;
constexpr Rect kAll{0, 0, 300, 60};

// The icons (name and size, place) and texts (text and colour, place) that reach into `area`,
// then, if asked, its pixels.
std::vector<std::string> shown(const platform::Bitmap& bitmap, const Rect& area, bool pixels) {
    std::vector<std::string> seen;
    const auto add = [&](platform::Point at, int width, int height, const std::string& what) {
        if (Rect{at.x, at.y, width, height}.intersects(area))
            seen.push_back(what + " " + std::to_string(at.x) + "," + std::to_string(at.y));
    };
    for (const auto& i : rasterOf(bitmap).icons)
        add(i.at, i.size, i.size, i.source + std::to_string(i.size));
    for (const auto& t : rasterOf(bitmap).texts)
        add(t.at, t.font.size * int(t.text.size()), 13, t.text + std::to_string(t.font.color));
    for (int y = area.top; pixels && y < area.bottom(); ++y)
        for (int x = area.left; x < area.right(); ++x)
            seen.push_back(std::to_string(rasterOf(bitmap).pixel(x, y)));
    return seen;
}

// A row at top 2, 220 wide and 45 high, with entries a, b and c in 45-pixel cells from x 70.
class BarPainterTest : public testing::Test {
protected:
    BarPainterTest() {
        platform::headless::setTextMetrics([](const platform::Font& font, std::string_view text) {
            return platform::Size{font.size * int(text.size()), 13};
        });
        bar.Color = kRow, bar.NameFont.color = kNameColor;
        row.category = &bar, row.rect = {0, 2, 220, 45};
        for (const std::string name : {"a", "b", "c"}) {
            auto& entry = *bar.Links.emplace_back(std::make_unique<IconArea>(&bar, name + ".lnk"));
            entry.Icon = platform::headless::shellIconFor(name);
            const int left = 70 + 45 * int(row.cells.size());
            row.cells.push_back({&entry, {left, 0, 45, 45}, {10, 10, 16, 16}, {4, 30, 0, 13}});
        }
    }
    ~BarPainterTest() override { platform::headless::setTextMetrics({}); }
    IconArea* entry(int index) const { return bar.GetLink(index); }

    testing_support::TempFolder folder;
    BarManager manager{folder.path() + "\\"};
    const bool made = platform::createFolder(folder.file("Tools"));
    Bar bar{nullptr, folder.path() + "\\", "Tools"};
    layout::Row row{nullptr, {}, {}, {}, 1, 1, {}};
};

// A name box 60 wide at left 1; the name "Tools" is 40 wide in the global font, 35 in its own,
// and 13 high. The row is 44 high: halving each height apart differs from halving the difference.
TEST_F(BarPainterTest, CategoryFillsItsRowButTheEdgeColumnsAndPlacesItsName) {
    row.rect.height = 44, row.nameBox = {1, 0, 60, 23}, bar.NameFont.size = 7;
    const std::tuple<int, bool, int> cases[] = {{0, false, 6},  {1, false, 11}, {2, false, 11},
                                                {7, false, 11}, {1, true, 14},  {2, true, 16}};
    for (auto [alignment, ownFont, x] : cases) {
        platform::Bitmap bitmap(220, 50);
        row.nameAlignment = std::uint8_t(alignment), bar.UseOwnNameFont = ownFont;
        BarPainter(bitmap.canvas(), manager, row, nullptr, PaintMode::Normal).drawCategory();

        const auto& raster = rasterOf(bitmap);
        EXPECT_EQ(raster.count({1, 2, 218, 44}, kRow), 218 * 44);
        EXPECT_EQ(raster.count({0, 0, 220, 50}, kRow), 218 * 44);
        EXPECT_EQ(raster.texts.at(0).at, (platform::Point{x, 2 + 16})) << alignment << ownFont;
        EXPECT_EQ(bitmap.canvas().font, ownFont ? bar.NameFont : manager.barNameFont) << "it stays";
    }
}

// Entry a is highlighted; c has no icons yet, though its target exists. The canvas has a fresh
// black pen and a yellow brush (white on the window's icon layer).
TEST_F(BarPainterTest, HighlightedEntryIsEnlargedFramedOrMarked) {
    using Drawn = std::vector<std::string>;
    const Drawn titled = {"a16 80,12", "b16 125,12", "a0 74,32", "b255 119,32"};
    const std::tuple<int, bool, PaintMode, int, Drawn> cases[] = {
        {16, false, PaintMode::Normal, 0, {"a32 76,8", "b16 125,12"}},
        {32, false, PaintMode::Normal, 5, {"a32 80,12", "b32 125,12"}},
        {16, true, PaintMode::Normal, 2, titled},
        {16, true, PaintMode::Drag, 0, titled}};
    entry(2)->Icon = {}, entry(2)->Target = folder.write("c.exe", "");
    for (const auto& [iconSize, titles, mode, frameInset, drawn] : cases) {
        manager.iconSizeType = iconSize, manager.showIconTitle = titles;
        platform::Bitmap bitmap(300, 60);
        bitmap.canvas().brush.color = platform::Colors::Yellow;
        BarPainter(bitmap.canvas(), manager, row, entry(0), mode).drawIcons();

        const int side = 45 - 2 * frameInset, inner = frameInset ? (side - 4) * (side - 4) : 0;
        EXPECT_EQ(rasterOf(bitmap).count(kAll, kShadow), frameInset ? side * side - inner : 0);
        EXPECT_EQ(rasterOf(bitmap).count(kAll, platform::Colors::Yellow), inner) << "the brush";
        const int mark = mode == PaintMode::Drag ? 39 : 0; // in the canvas's pen
        EXPECT_EQ(rasterOf(bitmap).count({72, 5, 1, 39}, 0), mark);
        EXPECT_EQ(rasterOf(bitmap).count(kAll, 0), mark);
        EXPECT_EQ(shown(bitmap, kAll, false), drawn) << "c shows nothing";
    }
    EXPECT_FALSE(entry(2)->GetIcon()) << "nor is its icon looked up";
}

// The hovered c lies outside the first two areas, and a's title runs far past its cell. A drag
// over b then marks it in the pen c's frame left. Without titles only the cells count.
TEST_F(BarPainterTest, AnAreaShowsWhatTheWholeRowWouldShowThere) {
    manager.iconSizeType = 32;
    entry(0)->SetTitle("A title far wider than its cell");
    const std::tuple<Rect, size_t, size_t> areaAndIconsWithAndWithoutTitles[] = {
        {{70, 2, 45, 45}, 1, 1}, {{115, 2, 45, 45}, 2, 1}, {{150, 40, 20, 10}, 3, 2}};
    for (bool titles : {true, false})
        for (auto [area, withTitles, withoutTitles] : areaAndIconsWithAndWithoutTitles) {
            manager.showIconTitle = titles;
            platform::Bitmap whole(300, 60), part(300, 60);
            for (PaintMode mode : {PaintMode::Normal, PaintMode::Drag}) {
                const IconArea* highlighted = entry(mode == PaintMode::Normal ? 2 : 1);
                BarPainter(whole.canvas(), manager, row, highlighted, mode).drawIcons();
                BarPainter(part.canvas(), manager, row, highlighted, mode).drawIcons(area);
                EXPECT_EQ(shown(part, area, true), shown(whole, area, true)) << area.left << titles;
                EXPECT_EQ(part.canvas().font, whole.canvas().font);
            }
            EXPECT_EQ(rasterOf(part).icons.size(), 2 * (titles ? withTitles : withoutTitles))
                << "what misses the area is skipped";
            EXPECT_EQ(rasterOf(whole).count({117, 5, 1, 39}, kShadow), 39);
        }
}

} // namespace
