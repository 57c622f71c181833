#include "command/Formcommand.h"

#include "manager/Barmanager.h"
#include "platform/Inifile.h"
#include "platform/Shell.h"
#include "platform/Startmenu.h"
#include "platform/System.h"
#include "platform/Text.h"
#include "platform/Textcompare.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

using TitledEntry = TCommandForm::TitledEntry;

constexpr platform::Rect kInitialBounds{342, 105, 262, 429};
constexpr int kEditStripHeight = 37;
constexpr int kListBorder = 4;
constexpr int kIconInset = 1;
constexpr int kIconSize = 16; // the shell's small icons
constexpr int kTitleLeft = 20;
constexpr int kCourierPixelHeight = 11; // 8 points at 96 dots per inch

constexpr int kMarkGap = 6;
// Where the window keeps its setting, and the choices it remembers.
constexpr const char* kSettingsSection = "Command";
constexpr const char* kStartMenuKey = "StartMenu";
constexpr const char* kChoicesFile = "choices.txt";

// The four bands of `area` around `hole`, with the canvas's brush.
void fillAround(platform::Canvas& canvas, const platform::Rect& area, const platform::Rect& hole) {
    const int top = std::clamp(hole.top, area.top, area.bottom());
    const int bottom = std::clamp(hole.bottom(), top, area.bottom());
    const int left = std::clamp(hole.left, area.left, area.right());
    const int right = std::clamp(hole.right(), left, area.right());
    canvas.fillRect({area.left, area.top, area.width, top - area.top});
    canvas.fillRect({area.left, bottom, area.width, area.bottom() - bottom});
    canvas.fillRect({area.left, top, left - area.left, bottom - top});
    canvas.fillRect({right, top, area.right() - right, bottom - top});
}

// Alphabetical as the user's language sorts without regard to case; titles the sort cannot
// tell apart go by their folded bytes, so that those differing only in case end side by side.
bool titleBefore(const TitledEntry& a, const TitledEntry& b) {
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.ranked.folded < b.ranked.folded;
}

TitledEntry titled(std::string title, int part) {
    TitledEntry item;
    item.sortKey = platform::sortKey(title);
    item.ranked = ranking::prepareTitle(title, part);
    item.title = std::move(title);
    return item;
}

template <class Visit> void forEachEntry(const BarManager& manager, Visit&& visit) {
    for (int b = 0; b < manager.barCount(); ++b) {
        const Bar& bar = *manager.barAt(b);
        for (int l = 0; l < bar.GetLinkCount(); ++l)
            visit(bar.GetLink(l));
    }
}

// Whether the categories hold `entries` now, in that order and with those titles.
bool sameEntries(const BarManager& manager, const std::vector<TitledEntry>& entries) {
    std::size_t at = 0;
    bool same = true;
    forEachEntry(manager, [&](const IconArea* entry) {
        same = same && at < entries.size() && entries[at].entry == entry &&
               entries[at].title == entry->GetTitle();
        ++at;
    });
    return same && at == entries.size();
}

// Every entry of every category in their order; a title that `before` holds keeps the matching
// and sorting keys made for it there.
std::vector<TitledEntry> everyEntry(const BarManager& manager,
                                    const std::vector<TitledEntry>& before) {
    std::unordered_map<std::string_view, const TitledEntry*> made;
    for (const TitledEntry& item : before)
        made.emplace(item.title, &item);
    std::vector<TitledEntry> entries;
    forEachEntry(manager, [&](IconArea* entry) {
        std::string title = entry->GetTitle();
        const auto found = made.find(title);
        entries.push_back(found == made.end() ? titled(std::move(title), 0) : *found->second);
        entries.back().entry = entry;
    });
    return entries;
}

// Equal titles stay in the categories' order.
std::vector<const TitledEntry*> sorted(const std::vector<TitledEntry>& entries) {
    std::vector<const TitledEntry*> order;
    order.reserve(entries.size());
    for (const TitledEntry& item : entries)
        order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const TitledEntry* a, const TitledEntry* b) { return titleBefore(*a, *b); });
    return order;
}

} // namespace

TCommandForm::TCommandForm(BarManager& manager, platform::Form& categoryWindow)
    : platform::Form(platform::FormKind::Sizeable), CommandEdit(*this, {6, 7, 241, 22}),
      IconExeFileNameListBox(*this, kRowHeight), manager_(manager),
      categoryWindow_(categoryWindow), choices_(manager.dataFolder + kChoicesFile),
      settingsFile_(manager.dataFolder + "settings.txt"),
      listsStartMenu_(
          platform::IniFile(settingsFile_).readBool(kSettingsSection, kStartMenuKey, true)) {
    setCaption("Command");
    // Painted straight onto the window: the list keeps a picture of its own, and FormPaint
    // fills the rest, so that a keystroke makes no picture of the whole window.
    paintsWholeClient = true;
    font = {"Courier New", 8};
    setFontOfControls(*this, {font, kCourierPixelHeight});
    IconExeFileNameListBox.onDrawRow = [this](const platform::ListRow& row) {
        IconExeFileNameListBoxDrawItem(row);
    };
    IconExeFileNameListBox.onSelect = [this] { selectRow(IconExeFileNameListBox.selectedIndex()); };
    CommandEdit.onChange = [this] { CommandEditChange(); };
    CommandEdit.onKeyDown = [this](int& key, platform::ShiftState) { CommandEditKeyDown(key); };
    CommandEdit.onKeyPress = [this](char& key) { CommandEditKeyPress(key); };
    setBounds(kInitialBounds);
    FormResize();
    manager_.addWatcher(this);
}

TCommandForm::~TCommandForm() {
    manager_.removeWatcher(this);
}

void TCommandForm::FormCreate() {
    setExtendedStyle(extendedStyle() | platform::ExtendedStyle::Topmost);
    platform::AccessibleTree& tree = *this;
    accessible_.emplace(static_cast<platform::Form&>(*this), tree);
}

// Around the list in the form's colour; the edit box, a window of its own, is clipped away.
void TCommandForm::FormPaint(platform::Canvas& canvas) {
    const platform::Size client = clientSize();
    canvas.brush = {color(), platform::BrushStyle::Solid};
    fillAround(canvas, {0, 0, client.width, client.height}, IconExeFileNameListBox.bounds());
}

// The edit box keeps its place and size; the list fills the rest inside its border.
void TCommandForm::FormResize() {
    const platform::Size client = clientSize();
    IconExeFileNameListBox.setBounds(
        {kListBorder, kEditStripHeight + kListBorder, std::max(0, client.width - 2 * kListBorder),
         std::max(0, client.height - kEditStripHeight - 2 * kListBorder)});
}

void TCommandForm::showCommand() {
    placeBesideCategoryWindow();
    if (!visible()) showTopmost();
    if (!isForeground()) bringToForeground();
}

void TCommandForm::hideCommand() {
    CommandEdit.setText("");
    hide();
}

// Wholly on the work area of the category window's monitor: 30 units to the right of the
// category window, else 30 to its left, else over it at the work area's right end; the top
// stays where it is as long as the window fits below it.
void TCommandForm::placeBesideCategoryWindow() {
    const platform::Rect category = categoryWindow_.bounds();
    const platform::Rect area = platform::workAreaAt(
        {category.left + category.width / 2, category.top + category.height / 2});
    platform::Rect placed = bounds();
    placed.width = std::min(placed.width, area.width);
    placed.height = std::min(placed.height, area.height);
    placed.left = category.right() + kGap;
    if (placed.right() > area.right()) placed.left = category.left - kGap - placed.width;
    if (placed.left < area.left) placed.left = area.right() - placed.width;
    placed.top = std::clamp(placed.top, area.top, area.bottom() - placed.height);
    if (placed.left != left() || placed.top != top() || placed.width != width() ||
        placed.height != height())
        setBounds(placed);
}

void TCommandForm::FormShow() {
    rebuildLists();
    CommandEdit.setFocus();
}

// However it was hidden (Enter, Escape, its close box), the category window goes with it.
void TCommandForm::FormHide() {
    categoryWindow_.hide();
}

// The wheel scrolls the list wherever the pointer is on the window.
void TCommandForm::FormMouseWheel(const platform::MouseEvent&, int delta) {
    IconExeFileNameListBox.scrollByWheel(delta);
}

// The press before it selected the row: it starts as Enter would.
void TCommandForm::FormDblClick() {
    const int row = IconExeFileNameListBox.pressedRow();
    if (row < 0 || row != IconExeFileNameListBox.selectedIndex()) return;
    CommandEditEnter();
    hideCommand();
}

// Until the first keystroke every entry is listed, two with the same title both.
void TCommandForm::rebuildLists() {
    readStartMenuIfDue();
    readEntryTitles();
    std::vector<const TitledEntry*> all(categorySorted_);
    all.reserve(categorySorted_.size() + startMenuEntries_.size());
    std::copy_if(entryTitles.begin(), entryTitles.end(), std::back_inserter(all),
                 [](const TitledEntry* item) { return item->shortcut != nullptr; });
    typedText_.clear();
    showRows(std::move(all), -1);
}

// The categories are read again only when they hold other entries or titles than last time,
// which a walk through them tells without asking the system anything. The first entry of each
// title keeps it, which is the entry of the earliest category; a Start menu title that a
// category has is left to the category.
void TCommandForm::readEntryTitles() {
    const bool changed = entriesRemoved_ || !sameEntries(manager_, categoryEntries_);
    if (changed) readCategoryEntries();
    if (!changed && !entryTitlesStale_) return;
    entryTitles.clear();
    std::unordered_set<std::string_view> taken;
    matchedOnTheWay_.clear();
    const auto keep = [&](const TitledEntry& item) {
        if (taken.insert(item.ranked.folded).second) entryTitles.push_back(&item);
    };
    for (const TitledEntry* item : categorySorted_)
        keep(*item);
    for (const TitledEntry& item : startMenuEntries_)
        keep(item);
    entryTitlesStale_ = false;
}

// Rows and titles point at the entries read before: they go first.
void TCommandForm::readCategoryEntries() {
    showRows({}, -1);
    entryTitles.clear();
    matchedOnTheWay_.clear();
    categorySorted_.clear();
    categoryEntries_ = everyEntry(manager_, categoryEntries_);
    categorySorted_ = sorted(categoryEntries_);
    entriesRemoved_ = false;
}

// Rows and titles point at the entries: they go before the entries are read anew.
void TCommandForm::forgetTitles() {
    showRows({}, -1);
    entryTitles.clear();
    matchedOnTheWay_.clear();
    entryTitlesStale_ = true;
}

// The folders are watched from their first reading on; a change marks them to be read again,
// at once while the window shows, else at its next showing. Their titles are made ready for
// matching once per reading, each title once (the user's folder first), in alphabetical order.
void TCommandForm::readStartMenuIfDue() {
    if (!listsStartMenu_ || !catalogueDue_) return;
    if (!startMenu_)
        startMenu_ = std::make_unique<platform::StartMenu>([this] { startMenuChanged(); });
    forgetTitles();
    startMenuEntries_.clear();
    catalogue_.read(startMenu_->folders());
    std::unordered_set<std::string> seen;
    for (const Catalogue::Shortcut& shortcut : catalogue_.shortcuts()) {
        TitledEntry item = titled(shortcut.title, 1);
        if (!seen.insert(item.ranked.folded).second) continue;
        item.shortcut = &shortcut;
        startMenuEntries_.push_back(std::move(item));
    }
    std::stable_sort(startMenuEntries_.begin(), startMenuEntries_.end(), titleBefore);
    startMenuEntries_.shrink_to_fit();
    catalogueDue_ = false;
}

void TCommandForm::startMenuChanged() {
    catalogueDue_ = true;
    if (!visible()) return;
    readStartMenuIfDue();
    filterRows();
}

void TCommandForm::setListsStartMenu(bool value) {
    if (value == listsStartMenu_) return;
    listsStartMenu_ = value;
    if (!value) {
        forgetTitles();
        startMenu_.reset();
        startMenuEntries_.clear();
        catalogue_.read({});
    }
    catalogueDue_ = true;
    platform::IniFile(settingsFile_).writeBool(kSettingsSection, kStartMenuKey, value);
}

// Screen readers hear that the rows changed, and which is selected now.
void TCommandForm::showRows(std::vector<const TitledEntry*> rows, int selected) {
    rows_ = std::move(rows);
    IconExeFileNameListBox.setRowCount(static_cast<int>(rows_.size()));
    if (accessible_) accessible_->itemsChanged(kAccessibleList);
    selectRow(selected);
}

void TCommandForm::selectRow(int index) {
    IconExeFileNameListBox.setSelectedIndex(index);
    const int selected = IconExeFileNameListBox.selectedIndex();
    if (accessible_ && selected >= 0) accessible_->focusMoved(kAccessibleList, selected);
}

// Filtering happens at once, with each change of the text, so that Enter, which comes after
// the last change, always finds the rows of the text as typed.
void TCommandForm::CommandEditChange() {
    if (ignoreNextChange) {
        ignoreNextChange = false;
        return;
    }
    typedText_ = CommandEdit.text();
    filterRows();
}

// The first row, which Enter starts, is the best match there is for the text typed.
void TCommandForm::filterRows() {
    if (entryTitlesStale_) readEntryTitles();
    const ranking::Query query = ranking::prepareQuery(typedText_);
    const std::string remembered = query.folded.empty() ? "" : choices_.chosenFor(query.folded);
    const std::vector<std::size_t> order = matchingTitles(query, remembered);
    std::vector<const TitledEntry*> rows;
    rows.reserve(order.size());
    for (const std::size_t index : order)
        rows.push_back(entryTitles[index]);
    const bool selectFirst = !query.folded.empty() && !rows.empty();
    showRows(std::move(rows), selectFirst ? 0 : -1);
}

// Each keystroke ranks only what the text before it matched, when the new text goes on from
// it; a letter taken back finds the matches of the shorter text kept.
std::vector<std::size_t> TCommandForm::matchingTitles(const ranking::Query& query,
                                                      std::string_view remembered) {
    while (!matchedOnTheWay_.empty() && !ranking::narrows(matchedOnTheWay_.back().query, query))
        matchedOnTheWay_.pop_back();
    const std::vector<std::size_t>* among =
        matchedOnTheWay_.empty() ? nullptr : &matchedOnTheWay_.back().positions;
    const std::size_t count = among ? among->size() : entryTitles.size();
    const auto position = [among](std::size_t i) { return among ? (*among)[i] : i; };
    std::vector<const ranking::Title*> titles(count);
    for (std::size_t i = 0; i < count; ++i)
        titles[i] = &entryTitles[position(i)]->ranked;
    std::vector<std::size_t> order = ranking::rank(titles, query, remembered);
    std::vector<char> matches(count, 0);
    for (std::size_t& i : order) {
        matches[i] = 1;
        i = position(i);
    }
    Matched matched{query, {}};
    matched.positions.reserve(order.size());
    for (std::size_t i = 0; i < count; ++i)
        if (matches[i]) matched.positions.push_back(position(i));
    // The same text again (a blank added at its end) takes the place of its matches.
    if (among && matchedOnTheWay_.back().query.folded == query.folded &&
        matchedOnTheWay_.back().query.letters == query.letters)
        matchedOnTheWay_.pop_back();
    if (!query.folded.empty()) matchedOnTheWay_.push_back(std::move(matched));
    return order;
}

// Down on the last row stays there. Up goes on to the edit box as Right, so that the caret
// stays at the end of the copied title. Page Down and Page Up move a view's height less one
// row (from no row, as from the first), as far as the last or first row, and go no further.
void TCommandForm::CommandEditKeyDown(int& key) {
    const RowList& list = IconExeFileNameListBox;
    if (list.rowCount() == 0) return;
    const int last = list.rowCount() - 1;
    const int page = std::max(1, list.rowsInView() - 1);
    if (key == platform::Keys::Down) {
        selectRow(std::min(list.selectedIndex() + 1, last));
    } else if (key == platform::Keys::Up) {
        if (list.selectedIndex() > 0) selectRow(list.selectedIndex() - 1);
        key = platform::Keys::Right;
    } else if (key == platform::Keys::PageDown) {
        selectRow(std::min(std::max(list.selectedIndex(), 0) + page, last));
        key = 0;
    } else if (key == platform::Keys::PageUp) {
        selectRow(std::max(list.selectedIndex() - page, 0));
        key = 0;
    } else {
        return;
    }
    copySelectionToEdit();
}

void TCommandForm::CommandEditKeyPress(char& key) {
    if (key == platform::Keys::Return) {
        key = 0;
        CommandEditEnter();
        hideCommand();
    } else if (key == platform::Keys::Escape) {
        key = 0;
        hideCommand();
    }
}

// The copied title must not narrow the list to itself.
void TCommandForm::copySelectionToEdit() {
    const int selected = IconExeFileNameListBox.selectedIndex();
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    const std::string title = rows_[static_cast<std::size_t>(selected)]->title;
    if (CommandEdit.text() != title) {
        ignoreNextChange = true;
        CommandEdit.setText(title);
    }
    CommandEdit.select(static_cast<int>(title.size()), 0);
}

// The choice is remembered under the text the user typed, not a title a row put there.
void TCommandForm::CommandEditEnter() {
    const int selected = IconExeFileNameListBox.selectedIndex();
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    const TitledEntry& row = *rows_[static_cast<std::size_t>(selected)];
    if (row.entry)
        row.entry->Open();
    else
        platform::startInShell(row.shortcut->path);
    const std::string typed = ranking::prepareQuery(typedText_).folded;
    if (!typed.empty()) choices_.remember(typed, row.ranked.folded);
}

// The list has filled the row in its selection colours already. A Start menu row says so after
// its title, in a quieter colour unless selected.
void TCommandForm::IconExeFileNameListBoxDrawItem(const platform::ListRow& row) {
    if (row.index < 0 || row.index >= static_cast<int>(rows_.size())) return;
    const TitledEntry& item = *rows_[static_cast<std::size_t>(row.index)];
    const platform::ShellIcon icon =
        item.entry ? item.entry->GetIcon() : Catalogue::iconOf(*item.shortcut);
    row.canvas.drawIcon({row.rect.left + kIconInset, row.rect.top + kIconInset}, icon, kIconSize);
    const platform::Point titleAt{row.rect.left + kTitleLeft, row.rect.top + kIconInset};
    row.canvas.textOut(titleAt, item.title);
    if (!item.shortcut) return;
    if (!row.selected) row.canvas.font.color = platform::Colors::ButtonShadow;
    row.canvas.textOut({titleAt.x + row.canvas.textExtent(item.title).width + kMarkGap, titleAt.y},
                       kStartMenuMark);
}

// The gone entries' titles stay in categoryEntries_ until the titles are read again, but no
// row or title points at them any more.
template <class Doomed> void TCommandForm::dropEntries(Doomed doomed) {
    const auto gone = [&doomed](const TitledEntry* item) {
        return item->entry && doomed(*item->entry);
    };
    entriesRemoved_ = true;
    if (std::any_of(entryTitles.begin(), entryTitles.end(), gone)) {
        entryTitles.erase(std::remove_if(entryTitles.begin(), entryTitles.end(), gone),
                          entryTitles.end());
        matchedOnTheWay_.clear();
        entryTitlesStale_ = true;
    }
    if (std::none_of(rows_.begin(), rows_.end(), gone)) return;
    const int selected = IconExeFileNameListBox.selectedIndex();
    std::vector<const TitledEntry*> kept;
    int keptSelected = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (gone(rows_[i])) continue;
        if (static_cast<int>(i) == selected) keptSelected = static_cast<int>(kept.size());
        kept.push_back(rows_[i]);
    }
    // When the selected row itself went, Enter must still start something: the first row, as
    // typing would have left it.
    if (selected >= 0 && keptSelected < 0 && !kept.empty()) keptSelected = 0;
    showRows(std::move(kept), keptSelected);
}

// The model destroys the entry once this returns: no row or title may keep pointing at it.
void TCommandForm::entryRemoving(const IconArea& entry) {
    dropEntries([&entry](const IconArea& candidate) { return &candidate == &entry; });
}

// A category's entries go with it without a word of their own.
void TCommandForm::categoryRemoving(const Bar& category) {
    dropEntries([&category](const IconArea& candidate) { return candidate.Owner == &category; });
}

int TCommandForm::accessibleCount(int group) const {
    if (group < 0) return 1;
    return group == kAccessibleList ? static_cast<int>(rows_.size()) : 0;
}

// The list, which has no name of its own, holds the rows: a Start menu row's name says so.
std::optional<platform::AccessibleItem> TCommandForm::accessibleItem(int group, int index) const {
    if (group < 0 && index == kAccessibleList)
        return platform::AccessibleItem{platform::AccessibleRole::List, "", "",
                                        IconExeFileNameListBox.bounds(), "", false};
    if (group != kAccessibleList || index < 0 || index >= static_cast<int>(rows_.size()))
        return std::nullopt;
    const TitledEntry& row = *rows_[std::size_t(index)];
    const std::string name = row.shortcut ? row.title + " (" + kStartMenuMark + ")" : row.title;
    return platform::AccessibleItem{platform::AccessibleRole::ListItem,
                                    name,
                                    "",
                                    IconExeFileNameListBox.rowRect(index),
                                    "",
                                    index == IconExeFileNameListBox.selectedIndex()};
}
