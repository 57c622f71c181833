// The category window without a mouse: the keyboard focus, its keys and its rectangle, and what
// screen readers are told of the rows and icons.
#include "barwindow/Formbar.h"

#include "barwindow/Cellnavigation.h"
#include "manager/Barmanager.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>

namespace {

constexpr int kFocusInsetOfCell = 1;
constexpr int kFocusInsetOfName = 2;

int indexOf(const Bar& category, const IconArea* entry) {
    for (int i = 0; i < category.GetLinkCount(); ++i)
        if (category.Links[std::size_t(i)].get() == entry) return i;
    return -1;
}

int indexOf(const BarManager& manager, const Bar* category) {
    for (int i = 0; i < manager.barCount(); ++i)
        if (manager.barAt(i) == category) return i;
    return -1;
}

// What stays in view of the page before, to read on from.
constexpr int kPageOverlap = 24;

platform::Rect inset(const platform::Rect& rect, int by) {
    return {rect.left + by, rect.top + by, rect.width - 2 * by, rect.height - 2 * by};
}

} // namespace

void TBarForm::focusKeyDown(int key) {
    namespace K = platform::Keys;
    switch (key) {
    case K::Return:
        if (keyFocus_.entry) startEntry(*keyFocus_.entry);
        return;
    case K::F2:
        changeFocusedTitle();
        return;
    case K::PageUp:
    case K::PageDown: {
        const int page = std::max(1, rowsView().height - kPageOverlap);
        scrollTo(scrollTop_ + (key == K::PageDown ? page : -page));
        return;
    }
    case K::Left:
    case K::Right:
    case K::Up:
    case K::Down:
    case K::Home:
    case K::End:
    case K::Tab:
        focusByKey(keyFocus_.category ? focusAfterKey(key) : firstFocus());
        return;
    default:
        return;
    }
}

// The first icon of the first row that has one, else the first row's name.
TBarForm::KeyFocus TBarForm::firstFocus() const {
    for (int i = 0; i < manager_.barCount(); ++i)
        if (Bar* category = manager_.barAt(i); category->GetLinkCount() > 0)
            return {category, category->GetLink(0)};
    if (manager_.barCount() == 0) return {};
    return {manager_.barAt(0), nullptr};
}

// Tab (Shift+Tab alike: there are two places to go between) goes from an icon to its row's name
// and back to the row's first icon.
// Among the names, Up and Down go to the row above and below, Home and End to the first and
// the last; among the icons, Left, Right, Home and End stay within the row.
TBarForm::KeyFocus TBarForm::focusAfterKey(int key) const {
    namespace K = platform::Keys;
    Bar& category = *keyFocus_.category;
    const int links = category.GetLinkCount();
    if (!keyFocus_.entry) {
        const int row = indexOf(manager_, &category);
        const int last = manager_.barCount() - 1;
        const auto nameOf = [this](int i) { return KeyFocus{manager_.barAt(i), nullptr}; };
        switch (key) {
        case K::Tab:
            return links > 0 ? KeyFocus{&category, category.GetLink(0)} : keyFocus_;
        case K::Up:
            return nameOf(std::max(row - 1, 0));
        case K::Down:
            return nameOf(std::min(row + 1, last));
        case K::Home:
            return nameOf(0);
        case K::End:
            return nameOf(last);
        default:
            return keyFocus_;
        }
    }
    const int at = indexOf(category, keyFocus_.entry);
    const auto entryAt = [&category](int i) { return KeyFocus{&category, category.GetLink(i)}; };
    switch (key) {
    case K::Tab:
        return {&category, nullptr};
    case K::Left:
        return entryAt(std::max(at - 1, 0));
    case K::Right:
        return entryAt(std::min(at + 1, links - 1));
    case K::Home:
        return entryAt(0);
    case K::End:
        return entryAt(links - 1);
    case K::Up:
    case K::Down:
        return focusVertically(key == K::Down);
    default:
        return keyFocus_;
    }
}

// The icon that lies nearest above (or below) the focused one, in whatever row.
TBarForm::KeyFocus TBarForm::focusVertically(bool down) const {
    std::vector<platform::Rect> cells;
    std::vector<IconArea*> entries;
    for (const layout::Row& row : rows_.rows()) {
        for (const layout::Cell& cell : row.cells) {
            cells.push_back(toWindow(row.onWindow(cell.rect)));
            entries.push_back(cell.entry);
        }
    }
    const std::optional<std::size_t> nearest =
        nearestCellVertically(cells, focusArea(keyFocus_), down);
    if (!nearest) return keyFocus_;
    return {entries[*nearest]->Owner, entries[*nearest]};
}

// The focused icon is the hovered one, its hint shown below it; a focused name has neither.
void TBarForm::focusByKey(const KeyFocus& focus) {
    if (!focus.category) return;
    scrollIntoView(focusArea(focus));
    if (!focusCue_) {
        focusCue_ = true;
        if (keyFocus_.category && visible()) redrawRect(focusArea(keyFocus_));
    }
    if (!focus.entry) {
        clearHover();
        setKeyFocus(focus);
        return;
    }
    if (focus.entry != currentIcon_) highlightEntry(*focus.entry);
    setKeyFocus(focus);
    const platform::Rect cell = focusArea(focus);
    hint_ = focus.entry->GetHint();
    showHintAt(hint_, {cell.left, cell.bottom()});
}

void TBarForm::setKeyFocus(const KeyFocus& focus) {
    if (focus == keyFocus_) return;
    const KeyFocus before = keyFocus_;
    keyFocus_ = focus;
    if (focusCue_ && visible()) {
        if (before.category) redrawRect(focusArea(before));
        if (focus.category) redrawRect(focusArea(focus));
    }
    tellFocus();
}

void TBarForm::forgetKeyFocus() {
    keyFocus_ = {};
    focusCue_ = false;
}

platform::Rect TBarForm::focusArea(const KeyFocus& focus) const {
    if (focus.entry) return cellOnWindow(*focus.entry);
    const layout::Row* row = rows_.rowOf(focus.category);
    return row ? toWindow(row->onWindow(row->nameBox)) : platform::Rect{};
}

// Dotted, over the icon layer; the canvas's pen and brush stay as the painters left them.
void TBarForm::drawFocusRectangle(platform::Canvas& canvas, const platform::Rect& area) {
    if (!focusCue_ || !keyFocus_.category) return;
    const platform::Rect focus =
        inset(focusArea(keyFocus_), keyFocus_.entry ? kFocusInsetOfCell : kFocusInsetOfName);
    if (!focus.intersects(area)) return;
    const platform::Pen pen = canvas.pen;
    const platform::Brush brush = canvas.brush;
    canvas.pen = {platform::Colors::Black, 1, platform::PenStyle::Dot};
    canvas.brush.style = platform::BrushStyle::Clear;
    canvas.rectangle(focus);
    canvas.pen = pen;
    canvas.brush = brush;
}

void TBarForm::startEntry(IconArea& entry) {
    hide();
    entry.Open();
    clearHover();
}

void TBarForm::changeFocusedTitle() {
    if (!keyFocus_.entry) return;
    currentBar_ = keyFocus_.category;
    currentIcon_ = keyFocus_.entry;
    MenuItemChangeTitleClick();
}

void TBarForm::popupFocusMenu() {
    if (!keyFocus_.category) return;
    currentBar_ = keyFocus_.category;
    currentIcon_ = keyFocus_.entry;
    const platform::Rect area = focusArea(keyFocus_);
    const platform::Point middle{area.left + area.width / 2, area.top + area.height / 2};
    (currentIcon_ ? IconAreaPopupMenu : BarPopupMenu).popup(*this, middle);
}

// ---- Screen readers ----

int TBarForm::accessibleCount(int group) const {
    if (group < 0) return manager_.barCount();
    return group < manager_.barCount() ? manager_.barAt(group)->GetLinkCount() : 0;
}

std::optional<platform::AccessibleItem> TBarForm::accessibleItem(int group, int index) const {
    const int row = group < 0 ? index : group;
    if (row < 0 || row >= manager_.barCount()) return std::nullopt;
    Bar& category = *manager_.barAt(row);
    if (group < 0) {
        const layout::Row* placed = rows_.rowOf(&category);
        return platform::AccessibleItem{platform::AccessibleRole::Group, category.GetName(), "",
                                        placed ? toWindow(placed->rect) : platform::Rect{}, "",
                                        keyFocus_ == KeyFocus{&category, nullptr}};
    }
    if (index < 0 || index >= category.GetLinkCount()) return std::nullopt;
    IconArea& entry = *category.GetLink(index);
    return platform::AccessibleItem{platform::AccessibleRole::PushButton, entry.GetTitle(),
                                    entry.GetHint(), cellOnWindow(entry), "Start",
                                    keyFocus_.entry == &entry};
}

bool TBarForm::accessibleDefaultAction(int group, int index) {
    if (group < 0 || group >= manager_.barCount()) return false;
    Bar& category = *manager_.barAt(group);
    if (index < 0 || index >= category.GetLinkCount()) return false;
    startEntry(*category.GetLink(index));
    return true;
}

void TBarForm::tellFocus() {
    if (!accessible_ || !keyFocus_.category) return;
    const int row = indexOf(manager_, keyFocus_.category);
    if (keyFocus_.entry)
        accessible_->focusMoved(row, indexOf(*keyFocus_.category, keyFocus_.entry));
    else
        accessible_->focusMoved(-1, row);
}
