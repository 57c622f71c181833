#include "barwindow/Formbar.h"

#include "manager/Barmanager.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "platform/Text.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

namespace {

constexpr int kDragThreshold = 6;
// Where the manager's rows start inside the window's 2-pixel frame.
constexpr int kRowsLeft = 1;
constexpr int kRowsTop = 2;
// The window reaches this far right of its rows.
constexpr int kWidthBeyondRows = 1;
// The work area's width in units may be rounded up from its pixels at a scale that is not
// whole: a window that wide would end a pixel past the screen.
constexpr int kRoundingSlack = 1;
constexpr platform::Color kButtonFace = platform::Colors::SystemBase + 15;
// A multiple of 4 units is whole pixels at every scale in quarters: bands meet without a seam.
constexpr int kBandHeight = 64;

// Empty (zero size) where the two do not meet.
platform::Rect intersection(const platform::Rect& a, const platform::Rect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

} // namespace

TBarForm::TBarForm(BarManager& manager, const Language& language)
    : manager_(manager), language_(language), dragHelper_(*this), band_(1, 1) {
    dragHelper_.threshold = kDragThreshold;
    setColor(platform::Colors::White);
    font = {"Verdana", 8, platform::Colors::WindowText};
    setBounds({16, 113, 354, 123});
    paintsWholeClient = true; // every pixel comes from the frame buffer
    buildMenus();
    layOutRows(std::numeric_limits<int>::max());
    manager_.addWatcher(this);
}

TBarForm::~TBarForm() {
    accessible_.reset(); // a screen reader's objects are disconnected before anything goes
    manager_.removeWatcher(this);
}

void TBarForm::buildMenus() {
    const auto hide = [this] { MenuItemHideClick(); };
    items_.hide = BarPopupMenu.addItem("&Hide", hide);
    BarPopupMenu.addSeparator();
    items_.addIcon = BarPopupMenu.addItem("&Add Icon ...", [this] { MenuItemAddIconClick(); });
    items_.newCategory =
        BarPopupMenu.addItem("&New Category ...", [this] { MenuItemNewCategoryClick(); });
    BarPopupMenu.addSeparator();
    items_.rename = BarPopupMenu.addItem("&Rename ...", [this] { MenuItemRenameClick(); });
    items_.backgroundColor =
        BarPopupMenu.addItem("&Background Color ...", [this] { MenuItemBackgroundColorClick(); });
    BarPopupMenu.addSeparator();
    items_.deleteCategory =
        BarPopupMenu.addItem("&Delete Category", [this] { MenuItemDeleteCategoryClick(); });
    BarPopupMenu.addSeparator();
    BarPopupMenu.addItem("&Global Settings ...", [this] {
        if (settingsDialog_) settingsDialog_->showSettings();
    });
    BarPopupMenu.addItem("Check New &Version ....", [this] {
        if (onCheckVersion) onCheckVersion();
    });

    items_.changeTitle =
        IconAreaPopupMenu.addItem("&Change Title ...", [this] { MenuItemChangeTitleClick(); });
    items_.property = IconAreaPopupMenu.addItem("&Property", [this] { MenuItemPropertyClick(); });
    IconAreaPopupMenu.addSeparator();
    items_.deleteIcon = IconAreaPopupMenu.addItem("&Delete", [this] { MenuItemDeleteClick(); });
}

void TBarForm::applyLanguage() {
    namespace T = LanguageTexts;
    IconAreaPopupMenu.setCaption(items_.changeTitle, language_.getText(T::IconPopupMenu_ChangeTitle));
    IconAreaPopupMenu.setCaption(items_.property, language_.getText(T::IconPopupMenu_Property));
    IconAreaPopupMenu.setCaption(items_.deleteIcon, language_.getText(T::IconPopupMenu_Delete));
    BarPopupMenu.setCaption(items_.hide, language_.getText(T::BarPopupMenu_Hide));
    BarPopupMenu.setCaption(items_.addIcon, language_.getText(T::BarPopupMenu_AddIcon));
    BarPopupMenu.setCaption(items_.newCategory, language_.getText(T::BarPopupMenu_NewCategory));
    BarPopupMenu.setCaption(items_.rename, language_.getText(T::BarPopupMenu_Rename));
    BarPopupMenu.setCaption(items_.backgroundColor,
                            language_.getText(T::BarPopupMenu_BackgroundColor));
    BarPopupMenu.setCaption(items_.deleteCategory,
                            language_.getText(T::BarPopupMenu_DeleteCategory));
}

void TBarForm::FormCreate() {
    setWindowStyle(windowStyle() & platform::WindowStyle::Popup);
    setExtendedStyle(extendedStyle() | platform::ExtendedStyle::Topmost |
                     platform::ExtendedStyle::ToolWindow);
    platform::DropHandler& dropHandler = *this;
    dropRegistration_ = std::make_unique<platform::DropRegistration>(*this, dropHandler);
    platform::AccessibleTree& tree = *this;
    accessible_ = std::make_unique<platform::AccessibleExposure>(*this, tree);
    applyLanguage();
}

void TBarForm::FormClose() {
    dropRegistration_.reset();
}

// A window whose size changes while it is shown is placed again at once: grown near the screen's
// right edge, it would reach past it until it was next shown.
void TBarForm::updateLayout() {
    layoutDone_ = true;
    fittedWidth_ = screenArea().width;
    layOutRows(fittedWidth_ - kWidthBeyondRows - kRoundingSlack);
    const platform::Rect before = bounds();
    setBounds({left(), top(), rows_.area().width + kWidthBeyondRows, fittedHeight()});
    scrollTo(scrollTop_); // the rows may have shrunk under the view
    if (accessible_) accessible_->treeChanged();
    if (visible() && (width() != before.width || height() != before.height)) hangUnderMainWindow();
}

void TBarForm::layOutRows(int maxWidth) {
    rows_ = layout::layOut(manager_.bars, manager_.appearance(),
                           layout::measuringOn(measuring_.canvas()), {kRowsLeft, kRowsTop}, maxWidth);
}

bool TBarForm::createCategory(const std::string& name) {
    if (!manager_.createBar(name)) return false;
    updateLayout();
    invalidate();
    return true;
}

bool TBarForm::renameCategory(Bar* category, const std::string& name) {
    if (!category) return true;
    const bool renamed = manager_.renameBar(category, name);
    if (renamed) {
        updateLayout();
        invalidate();
    }
    return renamed;
}

bool TBarForm::deleteCategory(Bar* category) {
    if (!manager_.deleteBar(category)) return false;
    updateLayout();
    invalidate();
    return true;
}

void TBarForm::MenuItemNewCategoryClick() {
    if (nameDialog_) nameDialog_->askName(nullptr);
}

void TBarForm::MenuItemRenameClick() {
    if (currentBar_ && nameDialog_) nameDialog_->askName(currentBar_);
}

// Whatever goes wrong while the shortcut is made or the list saved is shown here rather than in
// the error box, and the window still shows the list as it now is.
void TBarForm::addLink(Bar& category, const std::string& path, IconArea* before) {
    try {
        category.AddLink(path, before);
    } catch (const std::exception& error) {
        platform::showMessage("[ " + std::string(error.what()) + " ]  " +
                              language_.getText(LanguageTexts::MessageBox_LinkAlreadyExists) +
                              " !");
    }
    updateLayout();
    invalidate();
}

void TBarForm::MenuItemAddIconClick() {
    Bar* category = currentBar_;
    if (!category) return;
    const std::optional<std::string> path = platform::chooseFile(this);
    if (!path) return;
    addLink(*category, *path, nullptr);
}

void TBarForm::MenuItemBackgroundColorClick() {
    Bar* category = currentBar_;
    if (!category) return;
    const std::optional<platform::Color> color = platform::chooseColor(this, category->GetColor());
    if (!color) return;
    category->SetColor(*color);
    category->SaveSettings();
    invalidate();
}

void TBarForm::MenuItemDeleteCategoryClick() {
    Bar* category = currentBar_;
    if (!category) return;
    const std::string title = language_.getText(LanguageTexts::MessageBox_DeleteBar);
    if (!platform::askYesNo(this, title + "  [ " + category->GetName() + " ] ?", title)) return;
    // On failure the category is still there to name its folder.
    if (!deleteCategory(category))
        platform::showMessage("Cannot delete " + category->GetFolderPath());
    updateLayout();
    invalidate();
    // Whatever came of it, the row asked about is no command's target any more.
    clearHover();
}

// Titles that differ in letter case only are different titles.
void TBarForm::MenuItemChangeTitleClick() {
    IconArea* entry = currentIcon_;
    if (!entry) return;
    const std::string old = entry->GetTitle();
    const std::string title(platform::trimBlanks(
        platform::inputBox("Change title", "Enter a title for the icon", old)));
    if (title.empty() || title == old) return;
    entry->SetTitle(title);
    entry->Owner->SaveLinks();
    updateLayout();
    invalidate();
    // The hint showing is the old title's until the pointer or the focus would next move.
    if (focusCue_ && keyFocus_.entry == entry)
        focusByKey(keyFocus_);
    else if (currentIcon_ == entry)
        setHint(entry->GetHint());
}

void TBarForm::MenuItemPropertyClick() {
    if (currentIcon_) currentIcon_->ShowProperties();
}

// The model tells this window before the entry goes (entryRemoving), which lets go of it there.
void TBarForm::MenuItemDeleteClick() {
    if (currentBar_ && currentIcon_) currentBar_->RemoveLink(currentIcon_);
    invalidate();
    updateLayout();
}

// The monitor the window hangs on is the main window's.
platform::Rect TBarForm::screenArea() const {
    return platform::workAreaAt(mainWindow_ ? mainWindow_->bottomLeft()
                                            : platform::Point{left(), top()});
}

// In one move: the window is already on the screen while it is placed. One wider than the work
// area keeps its left edge, and so its names and first icons, on the screen.
void TBarForm::hangUnderMainWindow() {
    if (mainWindow_) hangBelow(mainWindow_->form(), {width(), height()});
}

// Laid out again when the work area's width is not the one the rows were fitted to: the screen's
// resolution changed, or the main window moved to another monitor.
void TBarForm::FormShow() {
    scrollTop_ = 0; // every showing starts at the first row
    if (!layoutDone_ || screenArea().width != fittedWidth_) updateLayout();
    hangUnderMainWindow();
    if (mainWindow_) mainWindow_->pressButton();
    showTopmost();
    // Entries whose icons the shell did not give last time get one more try per showing.
    manager_.iconLoader().requestMissing();
}

void TBarForm::FormHide() {
    forgetKeyFocus();
    if (mainWindow_) mainWindow_->releaseButton();
}

void TBarForm::FormDpiChanged() {
    updateLayout();
    invalidate();
}

// White within `area`. Leaves the canvas's pen and brush as they were: an insertion mark takes
// the pen's colour.
void TBarForm::drawFrame(platform::Canvas& canvas, const platform::Rect& area) {
    const int w = width();
    const int h = height();
    const platform::Pen pen = canvas.pen;
    const platform::Color brush = canvas.brush.color;
    canvas.brush.color = platform::Colors::White;
    canvas.fillRect(area);
    canvas.brush.color = brush;
    const auto polyline = [&canvas](platform::Color color, platform::Point a, platform::Point b,
                                    platform::Point c) {
        canvas.pen.color = color;
        canvas.pen.width = 1;
        canvas.line(a, b);
        canvas.line(b, c);
    };
    polyline(kButtonFace, {w, 0}, {0, 0}, {0, h});
    polyline(platform::Colors::White, {w, 1}, {1, 1}, {1, h});
    polyline(platform::Colors::ButtonShadow, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1});
    polyline(kButtonFace, {w - 2, 1}, {w - 2, h - 2}, {1, h - 2});
    canvas.pen = pen;
}

// The band's canvas keeps its pen and font from one band and one repaint to the next, as the
// painter expects of the window's canvas.
void TBarForm::paintArea(platform::Canvas& target, const platform::Rect& area) {
    band_.resize(width(), kBandHeight);
    platform::Canvas& canvas = band_.canvas();
    for (int top = area.top; top < area.bottom(); top += kBandHeight) {
        const platform::Rect part{area.left, top, area.width,
                                  std::min(kBandHeight, area.bottom() - top)};
        canvas.setOrigin({0, -top});
        compose(canvas, part);
        canvas.setOrigin({0, 0});
        target.drawBitmap({part.left, part.top}, band_, part.offset({0, -top}));
    }
}

// Every row's background and name before any icon, since a name or title may run over its box.
void TBarForm::compose(platform::Canvas& canvas, const platform::Rect& area) {
    canvas.setClip(area);
    drawFrame(canvas, area);
    if (const platform::Rect rowsArea = intersection(area, rowsView()); rowsArea.width > 0) {
        canvas.setClip(rowsArea);
        forEachRowIn(rowsArea, [&](const layout::Row& row, int top) {
            BarPainter(canvas, manager_, row, highlighted_, paintMode_, row.rect.left, top)
                .drawCategory(rowsArea);
        });
        forEachRowIn(rowsArea, [&](const layout::Row& row, int top) {
            BarPainter(canvas, manager_, row, highlighted_, paintMode_, row.rect.left, top)
                .drawIcons(rowsArea);
        });
        drawFocusRectangle(canvas, rowsArea);
        canvas.setClip(area);
    }
    drawDraggedRow(canvas, area);
    drawScrollCue(canvas);
    canvas.clearClip();
}

void TBarForm::drawDraggedRow(platform::Canvas& canvas, const platform::Rect& area) {
    const layout::Row* row = rowDragShift_ ? rows_.rowOf(draggedCategory()) : nullptr;
    if (!row) return;
    const platform::Rect place = toWindow(row->rect).offset(*rowDragShift_);
    const platform::Rect reach = intersection(place, area);
    if (reach.width <= 0) return;
    canvas.setClip(reach);
    BarPainter painter(canvas, manager_, *row, nullptr, PaintMode::Drag, place.left, place.top);
    painter.drawCategory(reach);
    painter.drawIcons(reach);
    canvas.setClip(area);
}

// Each row reaching into `area` (window coordinates), with its top on the window.
template <typename Visit> void TBarForm::forEachRowIn(const platform::Rect& area, Visit visit) const {
    for (const layout::Row& row : rows_.rows()) {
        const platform::Rect onWindow = toWindow(row.rect);
        if (onWindow.top >= area.bottom()) return;
        if (onWindow.bottom() > area.top) visit(row, onWindow.top);
    }
}

// The background is never erased: the frame buffer covers every pixel asked for.
void TBarForm::FormPaint(platform::Canvas& canvas) {
    const platform::Rect area = canvas.clipBounds();
    if (area.width <= 0 || area.height <= 0) return;
    paintArea(canvas, area);
}

// Rows scrolled under the frame are out of reach there.
Bar* TBarForm::barAtPoint(int x, int y) const {
    if (!rowsView().contains({x, y})) return nullptr;
    const layout::Row* row = rows_.rowAt(toContent({x, y}));
    return row ? row->category : nullptr;
}

IconArea* TBarForm::iconAtPoint(int x, int y) const {
    if (!rowsView().contains({x, y})) return nullptr;
    const layout::Cell* cell = rows_.cellAt(toContent({x, y}));
    return cell ? cell->entry : nullptr;
}

void TBarForm::trackHover(int x, int y) {
    IconArea* entry = iconAtPoint(x, y);
    if (!entry) {
        clearHover();
        return;
    }
    if (entry == currentIcon_) return;
    highlightEntry(*entry);
    setKeyFocus({entry->Owner, entry});
    setHint(entry->GetHint());
}

void TBarForm::highlightEntry(IconArea& entry) {
    clearHighlight();
    highlighted_ = &entry;
    redrawRect(cellOnWindow(entry));
    currentBar_ = entry.Owner;
    currentIcon_ = &entry;
}

void TBarForm::clearHover() {
    clearHighlight();
    setHint("");
}

// The hint stays for the moment, so that moving to the next entry only changes its text.
void TBarForm::clearHighlight() {
    if (highlighted_) {
        const platform::Rect cell = cellOnWindow(*highlighted_);
        highlighted_ = nullptr;
        redrawRect(cell);
    }
    currentBar_ = nullptr;
    currentIcon_ = nullptr;
}

// The tip is only touched when its text changes, not on every move over empty space.
void TBarForm::setHint(const std::string& text) {
    if (text == hint_) return;
    hint_ = text;
    showHintNow(hint_);
}

void TBarForm::FormMouseMove(const platform::MouseEvent& event) {
    paintMode_ = PaintMode::Normal;
    dragHelper_.mouseMove(event.pos.x, event.pos.y, event.shift.leftButton);
    trackHover(event.pos.x, event.pos.y);
}

void TBarForm::FormMouseDown(const platform::MouseEvent& event) {
    Bar* category = barAtPoint(event.pos.x, event.pos.y);
    currentBar_ = category;
    if (category) currentIcon_ = iconAtPoint(event.pos.x, event.pos.y);
}

// Comes before FormMouseUp: the window is usually hidden by the time the release starts the
// icon's program.
void TBarForm::FormClick() {
    if (dragHelper_.started) {
        dragHelper_.started = false; // the click that ends a drag
        return;
    }
    if (visible()) hide();
}

void TBarForm::FormMouseUp(const platform::MouseEvent& event) {
    if (dragHelper_.dragging) {
        dragHelper_.mouseUp(event.pos.x, event.pos.y);
        return;
    }
    dragHelper_.mouseUp(event.pos.x, event.pos.y);
    IconArea* entry = iconAtPoint(event.pos.x, event.pos.y);
    if (entry && event.button == platform::MouseButton::Left && entry == currentIcon_) {
        entry->Open();
        clearHover();
        hide();
    }
}

void TBarForm::FormDblClick() {
    if (visible()) hide();
}

void TBarForm::FormKeyDown(int key, platform::ShiftState) {
    if (key == platform::Keys::Escape)
        hide();
    else
        focusKeyDown(key);
}

// From the keyboard the point is (-1, -1), which is on no row: the menu is the focus's.
void TBarForm::FormContextPopup(platform::Point pos) {
    if (pos.x == -1 && pos.y == -1) {
        popupFocusMenu();
        return;
    }
    currentIcon_ = iconAtPoint(pos.x, pos.y);
    if (currentIcon_) {
        IconAreaPopupMenu.popup(*this, pos);
        return;
    }
    currentBar_ = barAtPoint(pos.x, pos.y);
    if (currentBar_) BarPopupMenu.popup(*this, pos);
}

// A move into another category destroys the dragged entry from inside its own drop, and a
// command may destroy what a drag holds: the drag lets go as well.
void TBarForm::entryRemoving(const IconArea& entry) {
    forgetLayout();
    if (draggedIcon() == &entry) dragHelper_.dragItem = std::monostate{};
    if (keyFocus_.entry == &entry) keyFocus_.entry = nullptr; // onto its row's name
    if (accessible_) accessible_->treeChanged();
    if (currentIcon_ != &entry) return;
    currentIcon_ = nullptr;
    setHint("");
}

void TBarForm::categoryRemoving(const Bar& category) {
    forgetLayout();
    const IconArea* dragged = draggedIcon();
    if (draggedCategory() == &category || (dragged && dragged->Owner == &category))
        dragHelper_.dragItem = std::monostate{};
    if (keyFocus_.category == &category) keyFocus_ = {};
    if (accessible_) accessible_->treeChanged();
    if (currentIcon_ && currentIcon_->Owner == &category) {
        currentIcon_ = nullptr;
        setHint("");
    }
    if (currentBar_ == &category) currentBar_ = nullptr;
}

// The rows point at what is going; whoever removes it lays them out again.
void TBarForm::forgetLayout() {
    rows_ = {};
    highlighted_ = nullptr;
}

void TBarForm::iconsArrived(const IconArea& entry) {
    if (visible() && layoutDone_) redrawRect(cellOnWindow(entry));
}

// ---- Drag and drop ----

IconArea* TBarForm::draggedIcon() const {
    IconArea* const* entry = std::get_if<IconArea*>(&dragHelper_.dragItem);
    return entry ? *entry : nullptr;
}

Bar* TBarForm::draggedCategory() const {
    Bar* const* category = std::get_if<Bar*>(&dragHelper_.dragItem);
    return category ? *category : nullptr;
}

void TBarForm::dragBegin(int x, int y) {
    if (IconArea* entry = iconAtPoint(x, y)) {
        dragHelper_.dragItem = entry;
        setCursorNow(platform::Cursor::Drag);
        return;
    }
    Bar* category = barAtPoint(x, y);
    if (!category) return;
    dragHelper_.dragItem = category;
    setCursorNow(platform::Cursor::Drag);
}

void TBarForm::dragMove(int x, int y) {
    if (draggedIcon())
        moveIcon(x, y);
    else if (draggedCategory())
        moveCategory(x, y);
}

// The pointer and the painting are back to normal even when nothing was dragged.
void TBarForm::dragEnd(int x, int y) {
    if (draggedIcon())
        dropIcon(x, y);
    else if (draggedCategory())
        dropCategory(x, y);
    rowDragShift_.reset();
    setCursorNow(platform::Cursor::Default);
    paintMode_ = PaintMode::Normal;
}

// The margin takes in the picture drawn at the last place, which hangs 8 pixels up and left of
// the pointer and may be larger than half a cell.
void TBarForm::moveIcon(int x, int y) {
    IconArea* entry = draggedIcon();
    if (!entry) return;
    constexpr int margin = 16;
    const platform::Rect cell = cellOnWindow(*entry);
    const int lastLeft = dragHelper_.lastX - cell.width / 2 - margin;
    const int lastTop = dragHelper_.lastY - cell.height / 2 - margin;
    paintMode_ = PaintMode::Drag;
    redrawRect({lastLeft, lastTop, cell.width + 2 * margin, cell.height + 2 * margin});
    scrollNearEdge(y); // once the picture is gone: a scroll would move it along
    drawOnWindow([&](platform::Canvas& canvas) {
        canvas.drawIcon({x - 8, y - 8}, entry->GetIcon(), manager_.iconPixelSize());
    });
    setCursorNow(iconAtPoint(x, y) == entry ? platform::Cursor::NoDrop : platform::Cursor::Drag);
}

void TBarForm::moveCategory(int x, int y) {
    Bar* category = draggedCategory();
    if (!category) return;
    scrollNearEdge(y);
    rowDragShift_ = platform::Point{x - dragHelper_.startX, y - dragHelper_.startY};
    drawOnWindow(
        [this](platform::Canvas& canvas) { paintArea(canvas, {0, 0, width(), height()}); });
    setCursorNow(barAtPoint(x, y) == category ? platform::Cursor::NoDrop
                                                       : platform::Cursor::Drag);
}

// Released outside every row, the entry stays where it was. An error writing a category's list
// goes to the standard error box.
void TBarForm::dropIcon(int x, int y) {
    IconArea* entry = draggedIcon();
    if (!entry) return;
    constexpr int pictureReach = 32; // from 8 pixels before the pointer
    redrawRect({dragHelper_.lastX - 8, dragHelper_.lastY - 8, pictureReach, pictureReach});
    if (Bar* target = barAtPoint(x, y)) {
        MoveLink(entry->Owner, entry, target, iconAtPoint(x, y));
        updateLayout();
    }
    invalidate();
}

void TBarForm::dropCategory(int x, int y) {
    Bar* category = draggedCategory();
    if (!category) return;
    if (Bar* target = barAtPoint(x, y)) {
        manager_.moveBar(category, target);
        updateLayout();
    }
    invalidate();
}

// The entry already under the pointer when a drag comes in shows its mark at once, not only
// after the pointer has passed to another one.
void TBarForm::DragOver(platform::Point at) {
    const bool markShown = paintMode_ == PaintMode::Drag;
    paintMode_ = PaintMode::Drag;
    if (!markShown && currentBar_ && currentIcon_)
        redrawRect(cellOnWindow(*currentIcon_));
    scrollNearEdge(at.y);
    trackHover(at.x, at.y);
}

// The mark stays at the entry under the drop point until the mouse next moves over the window.
void TBarForm::Drop(platform::Point at, const std::vector<std::string>& files) {
    if (files.empty()) return;
    Bar* category = barAtPoint(at.x, at.y);
    if (!category) return;
    addLink(*category, files.front(), iconAtPoint(at.x, at.y));
}
