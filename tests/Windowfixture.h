#pragma once
// The program's windows on the headless backend over a data folder of their own, wired together
// as start-up wires them: what every window test starts from.

#include "app/Language.h"
#include "barwindow/Formbar.h"
#include "command/Formcommand.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>

namespace testing_support {

class WindowSet {
public:
    // A fresh headless world and no program started yet; the language file holds
    // `languageText`, and there is none when it is empty.
    explicit WindowSet(const std::string& languageText = "")
        : language(languageText.empty() ? folder.file("Kestrum.lang")
                                        : folder.write("Kestrum.lang", languageText)) {
        platform::headless::resetWorld();
        platform::headless::clearShellExecutions();
    }
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    enum class Windows { Category, WithMain, WithMainAndCommand };
    // Loads the categories of the data folder as it now is and makes the category window, with
    // the main window above it that opens it and the command window beside it when asked for.
    void open(Windows windows) {
        manager = std::make_unique<BarManager>(folder.path() + "\\");
        if (windows != Windows::Category)
            mainForm = platform::createForm<TMainForm>(folder.file("settings.txt"));
        barForm = platform::createForm<TBarForm>(*manager, language);
        if (mainForm) {
            mainForm->setCategoryWindow(barForm.get());
            barForm->setMainWindow(mainForm.get());
        }
        if (windows == Windows::WithMainAndCommand) {
            commandForm = platform::createForm<TCommandForm>(*manager, *barForm);
            mainForm->setCommandWindow(commandForm.get());
        }
    }

    Bar& row(int bar) const { return *manager->barAt(bar); }
    IconArea* entry(int bar, int link) const { return row(bar).GetLink(link); }
    platform::Rect cell(int bar, int link) const {
        return row(bar).ToWindowRect(entry(bar, link)->rect());
    }
    platform::Point centre(int bar, int link) const {
        const platform::Rect r = cell(bar, link);
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    // A point of the row right of its last icon.
    platform::Point emptyPartOf(int bar) const {
        return {row(bar).Left + row(bar).Width - 3, row(bar).Top + row(bar).Height / 2};
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

    TempFolder folder;
    Language language;
    // Destroyed from the last: the windows before the model they point into.
    std::unique_ptr<BarManager> manager;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TBarForm> barForm;
    std::unique_ptr<TCommandForm> commandForm;
};

} // namespace testing_support
