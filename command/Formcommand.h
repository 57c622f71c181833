#pragma once
// The type-to-start window: the titles of every icon of every category in one list, narrowed to
// the titles that begin with what is typed, then those with a word that begins with it, then
// those that merely contain it (letter case and blanks around it do not count).
// Enter starts the selected icon's program, Escape closes; the arrows walk the list and copy the
// row into the edit box. The window keeps nothing between uses: each time it is shown it reads
// the titles anew, and it hides together with the category window beside it.

#include "platform/Accessible.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "store/Modelwatcher.h"
#include "windows/Commandwindow.h"

#include <optional>
#include <string>
#include <vector>

class BarManager;
class IconArea;

class TCommandForm : public platform::Form,
                     public CommandWindow,
                     private platform::AccessibleTree,
                     private ModelWatcher {
public:
    // `categoryWindow` is the window it is placed beside and hides with.
    TCommandForm(BarManager& manager, platform::Form& categoryWindow);
    ~TCommandForm() override;

    void showCommand() override;
    void hideCommand() override;
    // Starts the program of the selected row, if a row is selected.
    void CommandEditEnter();

    // A title with the entry it came from; `lowered` (lower case in any script) is what
    // filtering compares, `sortKey` what sorting does.
    struct TitledEntry {
        std::string title;
        std::string lowered;
        std::string sortKey;
        IconArea* entry;
    };
    // One title per letter-case-blind spelling, the first entry in category order keeping it,
    // in alphabetical order.
    std::vector<TitledEntry> entryTitles;
    // The rows of IconExeFileNameListBox.
    const std::vector<TitledEntry>& rows() const { return rows_; }

    platform::EditBox CommandEdit;
    platform::ListBox IconExeFileNameListBox;

    static constexpr int kRowHeight = 18;
    // Between this window and the category window.
    static constexpr int kGap = 30;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    void FormResize() override;

private:
    void entryRemoving(const IconArea& entry) override;
    void categoryRemoving(const Bar& category) override;
    // Drops every title and row whose entry `doomed` names, keeping the selected row if it
    // stays and else selecting the first; the titles are read anew at the next keystroke.
    template <class Doomed> void dropEntries(Doomed doomed);

    void placeBesideCategoryWindow();
    void rebuildLists();
    void readEntryTitles();
    void showRows(std::vector<TitledEntry> rows, int selected);
    void CommandEditChange();
    void CommandEditKeyDown(int& key);
    void CommandEditKeyPress(char& key);
    void copySelectionToEdit();
    void IconExeFileNameListBoxDrawItem(const platform::ListRow& row);

    BarManager& manager_;
    platform::Form& categoryWindow_;
    std::vector<TitledEntry> rows_;
    bool ignoreNextChange = false;
    // An entry has gone since the titles were read; another with the same title may remain.
    bool entryTitlesStale_ = false;

    // The list draws its rows itself and keeps no texts: screen readers ask here for their
    // titles.
    int accessibleCount(int group) const override;
    std::optional<platform::AccessibleItem> accessibleItem(int group, int index) const override;
    bool accessibleDefaultAction(int, int) override { return false; }
    // Last, so that it goes before the list it answers for.
    std::optional<platform::AccessibleExposure> listAccessible_;
};
