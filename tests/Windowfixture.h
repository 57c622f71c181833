#pragma once
// The program's windows on the headless backend over a data folder of their own, wired together
// as start-up wires them: what every window test starts from.

#include "app/Programwindows.h"
#include "barwindow/Formbar.h"
#include "command/Formcommand.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Language.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"
#include "windows/Program.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>

namespace testing_support {

// What the windows ask of the program, answered as for a folder without a help page whose
// monthly notice is not due.
class QuietProgram : public Program {
public:
    std::string versionText() const override { return "2.0"; }
    std::string homePageAddress() const override { return "https://kestrum.org/"; }
    void openHomePage() const override {}
    bool openHelp() const override { return false; }
    bool noticeDueToday() const override { return false; }
    bool startsWithWindows() const override { return startsWithWindows_; }
    void setStartsWithWindows(bool value) override { startsWithWindows_ = value; }

private:
    bool startsWithWindows_ = false;
};

// What the windows point into: made first, destroyed last.
struct WindowModel {
    explicit WindowModel(const std::string& languageText)
        : language(languageText.empty() ? folder.file("Kestrum.lang")
                                        : folder.write("Kestrum.lang", languageText)) {}
    TempFolder folder;
    Language language;
    QuietProgram program;
    std::unique_ptr<BarManager> manager;
};

class WindowSet : public WindowModel, public ProgramWindows {
public:
    // A fresh headless world and no program started yet; the language file holds
    // `languageText`, and there is none when it is empty.
    explicit WindowSet(const std::string& languageText = "") : WindowModel(languageText) {
        platform::headless::resetWorld();
        platform::headless::clearShellExecutions();
    }
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    enum class Windows { Category, All };
    // Loads the categories of the data folder as it now is and makes the category window alone,
    // or every window of the program wired as start-up wires them.
    void open(Windows windows) {
        manager = std::make_unique<BarManager>(folder.path() + "\\");
        if (windows == Windows::All)
            ProgramWindows::open(program, *manager, language, folder.file("settings.txt"));
        else
            barForm = platform::createForm<TBarForm>(*manager, language);
    }
    Bar& row(int bar) const { return *manager->barAt(bar); }
    IconArea* entry(int bar, int link) const { return row(bar).GetLink(link); }
    // Where the entry's cell and the category's row are on the window, as scrolled now.
    platform::Rect cell(int bar, int link) const {
        return barForm->rows().cellOnWindow(entry(bar, link)).offset({0, -barForm->scrollTop()});
    }
    platform::Rect rowRect(int bar) const {
        return barForm->rows().rowOf(&row(bar))->rect.offset({0, -barForm->scrollTop()});
    }
    platform::Point centre(int bar, int link) const {
        const platform::Rect r = cell(bar, link);
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    // A point of the row right of its last icon.
    platform::Point emptyPartOf(int bar) const {
        const platform::Rect r = rowRect(bar);
        return {r.right() - 3, r.top + r.height / 2};
    }
    void click(platform::Point at) const {
        platform::headless::mouseDown(*barForm, platform::MouseButton::Left, at);
        platform::headless::mouseUp(*barForm, platform::MouseButton::Left, at);
    }
    // The pointer goes to `at`, and the item of the menu a right click there opens is chosen.
    void choose(const std::string& item, platform::Point at) const {
        platform::headless::mouseMove(*barForm, at);
        platform::headless::chooseNextMenuItem(item);
        platform::headless::mouseUp(*barForm, platform::MouseButton::Right, at);
    }
    // The main button opens the category window, which must then be shown.
    void openWindow() const {
        mainForm->mainButton().onClick();
        ASSERT_TRUE(barForm->visible());
    }
    // How many programs have been started.
    static std::size_t launches() { return platform::headless::shellExecutions().size(); }
};

} // namespace testing_support
