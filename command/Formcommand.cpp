#include "command/Formcommand.h"

#include "manager/Barmanager.h"
#include "platform/System.h"
#include "platform/Text.h"
#include "platform/Textcompare.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"

#include <algorithm>
#include <array>
#include <iterator>
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

// Alphabetical as the user's language sorts without regard to case; titles the sort cannot
// tell apart go by their lowered bytes, so that those differing only in case end side by side.
bool titleBefore(const TitledEntry& a, const TitledEntry& b) {
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.lowered < b.lowered;
}

// Every entry of every category, sorted; equal titles stay in category order.
std::vector<TitledEntry> everyEntrySorted(const BarManager& manager) {
    std::vector<TitledEntry> entries;
    for (int b = 0; b < manager.barCount(); ++b) {
        const Bar& bar = *manager.barAt(b);
        for (int l = 0; l < bar.GetLinkCount(); ++l) {
            IconArea* entry = bar.GetLink(l);
            std::string title = entry->GetTitle();
            std::string lowered = platform::foldCase(title);
            std::string key = platform::sortKey(title);
            entries.push_back({std::move(title), std::move(lowered), std::move(key), entry});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), titleBefore);
    return entries;
}

// The first of each run of equal titles, which is the entry of the earliest category.
std::vector<TitledEntry> oncePerTitle(std::vector<TitledEntry> sorted) {
    sorted.erase(std::unique(sorted.begin(), sorted.end(),
                             [](const TitledEntry& a, const TitledEntry& b) {
                                 return a.lowered == b.lowered;
                             }),
                 sorted.end());
    return sorted;
}

// How a title holds the typed text; the rows list the groups in this order.
enum class Match { Beginning, WordBeginning, Inside, None };
constexpr auto kMatchGroups = static_cast<std::size_t>(Match::None);

// A word begins at the start of the title and after any character that is neither a letter nor
// a digit: after a blank, and after punctuation such as '-', '_', '.', '(' or '&', so that "ma"
// finds "Old mail", "Format-Manager" and "Web_mail" as readily as "Mail". Bytes above 127 are
// parts of letters of other scripts: a word goes on through them. A change of letter case inside a
// word does not begin one: the match is blind to letter case, so its groups are too.
bool beginsWord(const std::string& lowered, std::size_t at) {
    if (at == 0) return true;
    const char before = lowered[at - 1];
    const bool wordCharacter = (before >= 'a' && before <= 'z') ||
                               (before >= '0' && before <= '9') ||
                               static_cast<unsigned char>(before) > 127;
    return !wordCharacter;
}

Match matchOf(const std::string& lowered, const std::string& filter) {
    std::size_t at = lowered.find(filter);
    if (at == std::string::npos) return Match::None;
    if (at == 0) return Match::Beginning;
    for (; at != std::string::npos; at = lowered.find(filter, at + 1))
        if (beginsWord(lowered, at)) return Match::WordBeginning;
    return Match::Inside;
}

// The titles holding `filter`, group after group, each group in the titles' own order; each
// title is listed once, in the first group it belongs to. An empty filter keeps every title.
std::vector<TitledEntry> titlesHolding(const std::vector<TitledEntry>& titles,
                                       const std::string& filter) {
    std::array<std::vector<TitledEntry>, kMatchGroups> groups;
    for (const TitledEntry& title : titles) {
        const Match match = matchOf(title.lowered, filter);
        if (match != Match::None) groups[static_cast<std::size_t>(match)].push_back(title);
    }
    std::vector<TitledEntry> rows = std::move(groups[0]);
    for (std::size_t g = 1; g < kMatchGroups; ++g)
        rows.insert(rows.end(), std::make_move_iterator(groups[g].begin()),
                    std::make_move_iterator(groups[g].end()));
    return rows;
}

} // namespace

TCommandForm::TCommandForm(BarManager& manager, platform::Form& categoryWindow)
    : platform::Form(platform::FormKind::Sizeable), CommandEdit(*this, {6, 7, 241, 22}),
      IconExeFileNameListBox(*this, {0, 0, 10, 10}), manager_(manager),
      categoryWindow_(categoryWindow) {
    setCaption("Command");
    font = {"Courier New", 8};
    setFontOfControls(*this, {font, kCourierPixelHeight});
    IconExeFileNameListBox.setRowHeight(kRowHeight);
    IconExeFileNameListBox.onDrawRow = [this](const platform::ListRow& row) {
        IconExeFileNameListBoxDrawItem(row);
    };
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
    listAccessible_.emplace(IconExeFileNameListBox, tree);
}

// The edit box keeps its place and size; the list fills the rest inside its border.
void TCommandForm::FormResize() {
    const platform::Size client = clientSize();
    IconExeFileNameListBox.setBounds({kListBorder, kEditStripHeight + kListBorder,
                                      std::max(0, client.width - 2 * kListBorder),
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

// On the other side when the right one leaves the screen, even if that one leaves it too.
void TCommandForm::placeBesideCategoryWindow() {
    setLeft(GetControlRight(categoryWindow_) + kGap);
    if (GetControlRight(*this) > platform::screenWidth())
        SetControlRight(*this, GetControlLeft(categoryWindow_) - kGap);
}

void TCommandForm::FormShow() {
    rebuildLists();
    CommandEdit.setFocus();
}

// However it was hidden (Enter, Escape, its close box), the category window goes with it.
void TCommandForm::FormHide() {
    categoryWindow_.hide();
}

// Until the first keystroke every entry is listed, two with the same title both.
void TCommandForm::rebuildLists() {
    std::vector<TitledEntry> all = everyEntrySorted(manager_);
    entryTitles = oncePerTitle(all);
    entryTitlesStale_ = false;
    showRows(std::move(all), -1);
}

void TCommandForm::readEntryTitles() {
    entryTitles = oncePerTitle(everyEntrySorted(manager_));
    entryTitlesStale_ = false;
}

void TCommandForm::showRows(std::vector<TitledEntry> rows, int selected) {
    rows_ = std::move(rows);
    IconExeFileNameListBox.setRowCount(static_cast<int>(rows_.size()));
    IconExeFileNameListBox.setSelectedIndex(selected);
}

// The titles that begin with the typed text come first, so that the selected first row, which
// Enter starts, is one of them whenever there is one.
void TCommandForm::CommandEditChange() {
    if (ignoreNextChange) {
        ignoreNextChange = false;
        return;
    }
    if (entryTitlesStale_) readEntryTitles();
    const std::string filter = platform::foldCase(platform::trimBlanks(CommandEdit.text()));
    std::vector<TitledEntry> rows = titlesHolding(entryTitles, filter);
    const bool selectFirst = !filter.empty() && !rows.empty();
    showRows(std::move(rows), selectFirst ? 0 : -1);
}

// Down on the last row stays there. Up goes on to the edit box as Right, so that the caret
// stays at the end of the copied title.
void TCommandForm::CommandEditKeyDown(int& key) {
    platform::ListBox& list = IconExeFileNameListBox;
    if (list.rowCount() == 0) return;
    if (key == platform::Keys::Down) {
        list.setSelectedIndex(std::min(list.selectedIndex() + 1, list.rowCount() - 1));
        copySelectionToEdit();
    } else if (key == platform::Keys::Up) {
        if (list.selectedIndex() > 0) list.setSelectedIndex(list.selectedIndex() - 1);
        copySelectionToEdit();
        key = platform::Keys::Right;
    }
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
    const std::string title = rows_[static_cast<std::size_t>(selected)].title;
    if (CommandEdit.text() != title) {
        ignoreNextChange = true;
        CommandEdit.setText(title);
    }
    CommandEdit.select(static_cast<int>(title.size()), 0);
}

void TCommandForm::CommandEditEnter() {
    const int selected = IconExeFileNameListBox.selectedIndex();
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    rows_[static_cast<std::size_t>(selected)].entry->Open();
}

// The list has filled the row in its selection colours already and draws the focus frame.
void TCommandForm::IconExeFileNameListBoxDrawItem(const platform::ListRow& row) {
    if (row.index < 0 || row.index >= static_cast<int>(rows_.size())) return;
    const TitledEntry& item = rows_[static_cast<std::size_t>(row.index)];
    row.canvas.drawIcon({row.rect.left + kIconInset, row.rect.top + kIconInset},
                        item.entry->GetIcon(), kIconSize);
    row.canvas.textOut({row.rect.left + kTitleLeft, row.rect.top + kIconInset}, item.title);
}

template <class Doomed> void TCommandForm::dropEntries(Doomed doomed) {
    const auto gone = [&doomed](const TitledEntry& item) { return doomed(*item.entry); };
    const auto titlesLeft = std::remove_if(entryTitles.begin(), entryTitles.end(), gone);
    if (titlesLeft != entryTitles.end()) {
        entryTitles.erase(titlesLeft, entryTitles.end());
        entryTitlesStale_ = true;
    }
    if (std::none_of(rows_.begin(), rows_.end(), gone)) return;
    const int selected = IconExeFileNameListBox.selectedIndex();
    std::vector<TitledEntry> kept;
    int keptSelected = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (gone(rows_[i])) continue;
        if (static_cast<int>(i) == selected) keptSelected = static_cast<int>(kept.size());
        kept.push_back(std::move(rows_[i]));
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
    return group < 0 ? static_cast<int>(rows_.size()) : 0;
}

std::optional<platform::AccessibleItem> TCommandForm::accessibleItem(int group,
                                                                     int index) const {
    if (group >= 0 || index < 0 || index >= static_cast<int>(rows_.size())) return std::nullopt;
    return platform::AccessibleItem{platform::AccessibleRole::ListItem,
                                    rows_[std::size_t(index)].title, "",
                                    IconExeFileNameListBox.rowRect(index), "",
                                    index == IconExeFileNameListBox.selectedIndex()};
}
