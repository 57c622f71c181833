#pragma once
// The type-to-start window: the titles of every icon of every category, and of the programs of
// the Start menu, in one list, narrowed to what is typed and ordered as ranking::rank says (the
// categories' icons before the Start menu's programs of the same group, the row last started
// for the same text first in its group). Enter, or a double click on a row, starts the selected
// row's program, Escape closes; the arrows and page keys walk the list and copy the row into the
// edit box, which keeps the keyboard. Each time it is shown the window looks whether the
// categories' titles have changed and reads the changed ones anew; it reads the Start menu the
// first time and again after the system tells of a change there; it hides together with the
// category window beside it.

#include "command/Catalogue.h"
#include "command/Ranking.h"
#include "command/Rememberedchoices.h"
#include "command/Rowlist.h"
#include "platform/Accessible.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "store/Modelwatcher.h"
#include "windows/Commandwindow.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class BarManager;
class IconArea;
namespace platform {
class StartMenu;
}

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
    bool listsStartMenu() const override { return listsStartMenu_; }
    void setListsStartMenu(bool value) override;
    // Starts the program of the selected row, if a row is selected.
    void CommandEditEnter();

    // A title with what it starts: a category's icon entry, or else a Start menu shortcut.
    // `ranked` is what matching compares, `sortKey` what sorting does.
    struct TitledEntry {
        std::string title;
        std::string sortKey;
        ranking::Title ranked;
        IconArea* entry = nullptr;
        const Catalogue::Shortcut* shortcut = nullptr;
    };
    // One title per letter-case-blind spelling: the categories' in alphabetical order, the
    // first entry in category order keeping a title; then the Start menu's titles that no
    // category has, in alphabetical order.
    std::vector<const TitledEntry*> entryTitles;
    // The rows of IconExeFileNameListBox.
    const std::vector<const TitledEntry*>& rows() const { return rows_; }

    platform::EditBox CommandEdit;
    RowList IconExeFileNameListBox;

    static constexpr int kRowHeight = 18;
    // Between this window and the category window.
    static constexpr int kGap = 30;
    // What a Start menu row says after its title.
    static constexpr const char* kStartMenuMark = "Start menu";

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    void FormResize() override;
    void FormPaint(platform::Canvas& canvas) override;
    void FormMouseWheel(const platform::MouseEvent& event, int delta) override;
    void FormDblClick() override;

private:
    void entryRemoving(const IconArea& entry) override;
    void categoryRemoving(const Bar& category) override;
    // Drops every title and row whose entry `doomed` names, keeping the selected row if it
    // stays and else selecting the first; the titles are read anew at the next keystroke.
    template <class Doomed> void dropEntries(Doomed doomed);

    void placeBesideCategoryWindow();
    void rebuildLists();
    void readEntryTitles();
    void readCategoryEntries();
    void forgetTitles();
    void readStartMenuIfDue();
    void startMenuChanged();
    void filterRows();
    std::vector<std::size_t> matchingTitles(const ranking::Query& query,
                                            std::string_view remembered);
    void showRows(std::vector<const TitledEntry*> rows, int selected);
    void selectRow(int index);
    void CommandEditChange();
    void CommandEditKeyDown(int& key);
    void CommandEditKeyPress(char& key);
    void copySelectionToEdit();
    void IconExeFileNameListBoxDrawItem(const platform::ListRow& row);

    BarManager& manager_;
    platform::Form& categoryWindow_;
    // Every entry of every category in the categories' order, its title made ready for
    // matching; kept between showings, since making a title ready asks the system.
    std::vector<TitledEntry> categoryEntries_;
    // The same in alphabetical order, two with the same title both, in the categories' order.
    std::vector<const TitledEntry*> categorySorted_;
    // The Start menu's titles, each once, in alphabetical order.
    std::vector<TitledEntry> startMenuEntries_;
    std::vector<const TitledEntry*> rows_;
    // The titles each text matched, as positions in entryTitles in its order: one for each text
    // typed on the way to the last one, as long as each went on from the one before. A text
    // that goes on from one of them is ranked among its matches only. They go whenever
    // entryTitles changes.
    struct Matched {
        ranking::Query query;
        std::vector<std::size_t> positions;
    };
    std::vector<Matched> matchedOnTheWay_;
    bool ignoreNextChange = false;
    // An entry has gone since the titles were read; another with the same title may remain.
    bool entryTitlesStale_ = false;
    // The model has destroyed an entry since categoryEntries_ was read: some of them point at
    // nothing now, so they are read again, not compared with the model.
    bool entriesRemoved_ = false;
    // The text the user typed last (not a row copied into the edit box): what the rows are
    // for, and what a choice is remembered under.
    std::string typedText_;
    RememberedChoices choices_;
    std::string settingsFile_;
    bool listsStartMenu_;
    Catalogue catalogue_;
    bool catalogueDue_ = true; // not read yet, or changed since
    std::unique_ptr<platform::StartMenu> startMenu_;

    // The list draws its rows itself and keeps no texts: screen readers ask here for their
    // titles, as the items of the client area's one list object.
    static constexpr int kAccessibleList = 0;
    int accessibleCount(int group) const override;
    std::optional<platform::AccessibleItem> accessibleItem(int group, int index) const override;
    bool accessibleDefaultAction(int, int) override { return false; }
    // Last, so that it goes before the rows it answers for.
    std::optional<platform::AccessibleExposure> accessible_;
};
