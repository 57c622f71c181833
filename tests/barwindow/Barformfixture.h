#pragma once
// The category window on the headless backend under the bar, over a data folder of categories
// whose shortcuts point at files that exist; shared by the window's test files.
#include "barwindow/Formbar.h"

#include "app/Language.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Wintools.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace barform_testing {

using platform::MouseButton;
using platform::Point;
using platform::Rect;
namespace headless = platform::headless;

inline platform::ShiftState leftHeld() {
    platform::ShiftState shift;
    shift.leftButton = true;
    return shift;
}

class BarFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWorld();
        headless::clearShellExecutions();
        headless::setCursorPos(Point{600, 600});
    }
    void TearDown() override {
        form.reset();
        mainForm.reset();
    }

    // Categories as name and shortcut names; every shortcut points at a file that exists.
    void start(const std::vector<std::pair<std::string, std::vector<std::string>>>& categories) {
        std::string list = "[Bar]\r\nCount=" + std::to_string(categories.size()) + "\r\n";
        int index = 0;
        for (const auto& [name, links] : categories) {
            ASSERT_TRUE(platform::createFolder(folder.file(name)));
            // Listed, so that the order does not hang on the file system's.
            std::string config = "[Link]\r\nCount=" + std::to_string(links.size()) + "\r\n";
            for (std::size_t i = 0; i < links.size(); ++i) {
                const std::string target = folder.write("target-" + links[i] + ".txt", links[i]);
                const std::string link = links[i] + ".lnk";
                ASSERT_GE(CreateShortcut(target, folder.file(name) + "\\" + link, ""), 0);
                config += std::to_string(i) + "=" + link + "\r\n";
            }
            folder.write(name + "\\config.txt", config);
            list += std::to_string(index++) + "=" + name + "\r\n";
        }
        folder.write("config.txt", list);
        manager = std::make_unique<BarManager>(folder.path() + "\\");
        mainForm = platform::createForm<TMainForm>(folder.file("settings.txt"));
        MainForm = mainForm.get();
        form = platform::createForm<TBarForm>(*manager, language);
        mainForm->setCategoryWindow(form.get());
        manager->iconLoader().start();
        headless::runIdleWork();
    }

    IconArea* entry(int bar, int link) const { return manager->barAt(bar)->GetLink(link); }
    Rect cell(int bar, int link) const {
        return manager->barAt(bar)->ToWindowRect(entry(bar, link)->rect());
    }
    Point centre(int bar, int link) const {
        const Rect r = cell(bar, link);
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    // A point of the row right of its last icon.
    Point emptyPartOf(int bar) const {
        const Bar& row = *manager->barAt(bar);
        return {row.Left + row.Width - 3, row.Top + row.Height / 2};
    }
    void click(Point at) {
        headless::mouseDown(*form, MouseButton::Left, at);
        headless::mouseUp(*form, MouseButton::Left, at);
    }
    void openWindow() {
        mainForm->mainButton().onClick();
        ASSERT_TRUE(form->visible());
    }
    std::size_t launches() const { return headless::shellExecutions().size(); }

    testing_support::TempFolder folder;
    Language language{folder.file("none.lang")};
    std::unique_ptr<BarManager> manager;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TBarForm> form;
};

} // namespace barform_testing
