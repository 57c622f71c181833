#include "command/Formcommand.h"

#include "manager/Barmanager.h"
#include "platform/System.h"
#include "platform/Text.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"

#include <algorithm>
#include <utility>

TCommandForm* CommandForm = nullptr;

namespace {

using TitledEntry = TCommandForm::TitledEntry;

constexpr platform::Rect kInitialBounds{342, 105, 262, 429};
constexpr int kEditStripHeight = 37;
constexpr int kListBorder = 4;
constexpr int kIconInset = 1;
constexpr int kTitleLeft = 20;
constexpr int kCourierPixelHeight = 11; // 8 points at 96 dots per inch

// The one order of the titles: byte by byte on the lowered titles (std::string compares bytes
// as unsigned), so that every backend and locale sorts alike and the filter's prefix search
// below finds what the sort put together.
bool titleBefore(const TitledEntry& a, const TitledEntry& b) {
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
            std::string lowered = platform::lowerAscii(title);
            entries.push_back({std::move(title), std::move(lowered), entry});
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
    if (CommandForm == this) CommandForm = nullptr;
}

void TCommandForm::FormCreate() {
    setExtendedStyle(extendedStyle() | platform::ExtendedStyle::Topmost);
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

// The titles that begin with the filter lie together in the sorted list, from the first title
// not before the filter on.
void TCommandForm::CommandEditChange() {
    if (ignoreNextChange) {
        ignoreNextChange = false;
        return;
    }
    if (entryTitlesStale_) readEntryTitles();
    const std::string filter = platform::lowerAscii(platform::trimBlanks(CommandEdit.text()));
    const auto first = std::lower_bound(
        entryTitles.begin(), entryTitles.end(), filter,
        [](const TitledEntry& title, const std::string& prefix) { return title.lowered < prefix; });
    const auto last = std::find_if(first, entryTitles.end(), [&filter](const TitledEntry& title) {
        return title.lowered.compare(0, filter.size(), filter) != 0;
    });
    const bool selectFirst = !filter.empty() && first != last;
    showRows({first, last}, selectFirst ? 0 : -1);
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
    if (const platform::Icon* icon = item.entry->GetSmallIcon())
        row.canvas.drawIcon({row.rect.left + kIconInset, row.rect.top + kIconInset}, *icon);
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
