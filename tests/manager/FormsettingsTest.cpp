// The settings dialog on the headless backend: opening it changes nothing, a choice is saved
// before the category window is laid out with it, and the visible height keeps its bounds.
#include "manager/Formsettings.h"

#include "app/App.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/Inifile.h"
#include "platform/headless/Headless.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace headless = platform::headless;

// Records each call with the icon size the settings file holds at that moment.
struct RecordingWindow : AppearanceWindow {
    std::string settings, log;
    int stored(const char* key) const {
        return platform::IniFile(settings).readInteger("Appearance", key, -1);
    }
    void updateLayout() override { log += "layout " + std::to_string(stored("IconSizeType")); }
    void repaintWindow() override { log += ", repaint;"; }
};

TEST(SettingsForm, ShowsTheStoredValuesAndSavesOnlyWhatIsChanged) {
    headless::resetWorld();
    testing_support::TempFolder folder;
    const std::string written = "[Appearance]\r\nIconSizeType=16\r\nBarNameAlignment=5\r\nBarLayout=2\r\n"
                                "[KestrumButton]\r\nVisibleHeight=25\r\n";
    RecordingWindow window;
    window.settings = folder.write("settings.txt", written);
    App app(folder.file("Kestrum.exe"));
    const std::string stored = folder.read("settings.txt"); // with the first run's day
    TMainForm button(window.settings);
    TSettingsForm form(*theBarManager, app, window, button);
    platform::Font chosen{"Arial", 11, 0x0000FF, true};
    headless::answerNextFontDialog(chosen);

    headless::runInNextModalShow([&](platform::Form&) {
        EXPECT_EQ(form.RadioGroupBarNameAlignment.selectedIndex(), 2) << "5 shows as Right";
        EXPECT_EQ(form.RadioGroupBarLayout.selectedIndex(), 0) << "2 shows as drawn: icons left";
        EXPECT_EQ(form.EditVisibleHeight.text(), "25");
        EXPECT_EQ(folder.read("settings.txt"), stored) << "opening writes nothing";
        headless::chooseItem(form.RadioGroupSmallOrLargeIcons, 0); // already so: nothing
        headless::chooseItem(form.RadioGroupSmallOrLargeIcons, 1);
        EXPECT_EQ(window.log, "layout 32, repaint;") << "saved before the layout";
        EXPECT_EQ(window.stored("BarNameAlignment"), 2) << "saved as it is shown";

        headless::click(form.PageGeneral);
        for (int press = 0; press < 3; ++press)
            headless::pressArrow(form.UpDownVisibleHeight, true);
        EXPECT_EQ(form.EditVisibleHeight.text(), "26");
        EXPECT_EQ(button.hiddenBottom(), 26);
        for (int press = 0; press < 30; ++press)
            headless::pressArrow(form.UpDownVisibleHeight, false);
        EXPECT_EQ(form.EditVisibleHeight.text(), "1");
        EXPECT_EQ(
            platform::IniFile(window.settings).readInteger("KestrumButton", "VisibleHeight", 0), 1);

        headless::click(form.PageAppearance);
        const platform::Font before = theBarManager->iconTitleFont;
        headless::click(form.IconTitleFontButton);
        chosen.color = before.color;
        EXPECT_EQ(theBarManager->iconTitleFont, chosen) << "all but the colour taken";
        EXPECT_EQ(headless::dialogsShown().back().initialFont, before);
    });
    form.showModal();
    EXPECT_EQ(window.log, "layout 32, repaint;layout 32, repaint;");
}

} // namespace
