#include "app/App.h"
#include "app/Noticeday.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Registry.h"
#include "store/Bar.h"
#include "store/Language.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"
#include "tests/app/RunKeyAccess.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

class AppTest : public testing::Test {
protected:
    std::string exe() const { return folder.file("Kestrum.exe"); }
    void writeSettings(const std::string& content) { folder.write("settings.txt", content); }
    TempFolder folder;
};

TEST_F(AppTest, DerivesEveryPathFromTheExecutable) {
    const App app(exe());
    EXPECT_EQ(app.folder(), folder.path() + "\\");
    EXPECT_EQ(app.settingsFileName(), folder.path() + "\\settings.txt");
    EXPECT_EQ(app.version, "2.0");
}

TEST_F(AppTest, LoadsTheCategoriesOfItsFolder) {
    folder.write("config.txt", testing_support::categoryList({"Games"}));
    ASSERT_TRUE(platform::createFolder(folder.file("Games")));
    const App app(exe());
    ASSERT_NE(theBarManager, nullptr);
    ASSERT_EQ(theBarManager->barCount(), 1);
    EXPECT_EQ(theBarManager->barAt(0)->GetName(), "Games");
}

TEST_F(AppTest, LoadsTheLanguageFileBesideTheExecutable) {
    folder.write("Kestrum.lang", "[Strings]\r\nMainForm_Exit=Quit\r\n");
    const App app(exe());
    ASSERT_NE(theLanguage, nullptr);
    EXPECT_EQ(theLanguage->getText(LanguageTexts::MainForm_Exit), "Quit");
}

// The box a settings dialog shows is autoRun: it must say whether Windows will start this
// program, whatever the settings file claims.
TEST_F(AppTest, AutoRunIsWhatTheRunValueSaysWhateverTheFile) {
    const auto saved = testing_support::runValue("Kestrum");
    testing_support::setRunValue("Kestrum", std::nullopt);
    EXPECT_FALSE(App(exe()).autoRun) << "a fresh file and no Run value";
    testing_support::setRunValue("Kestrum", "C:\\elsewhere\\Kestrum.exe");
    EXPECT_FALSE(App(exe()).autoRun) << "the value of another copy";
    writeSettings("[Kestrum]\r\nAutoRun=0\r\n");
    testing_support::setRunValue("Kestrum", " " + exe() + " ");
    EXPECT_TRUE(App(exe()).autoRun);

    // What the settings dialog does with each click on its box.
    testing_support::setRunValue("Kestrum", std::nullopt);
    writeSettings("");
    App app(exe());
    const platform::IniFile settings(app.settingsFileName());
    for (const bool ticked : {true, false, true}) {
        app.setAutoRun(!app.autoRun);
        app.saveAutoRun();
        EXPECT_EQ(app.autoRun, ticked);
        EXPECT_EQ(testing_support::runValue("Kestrum"),
                  ticked ? std::optional<std::string>(exe()) : std::nullopt);
        EXPECT_EQ(settings.readString("Kestrum", "AutoRun", ""), ticked ? "1" : "0");
    }
    testing_support::setRunValue("Kestrum", saved);
}

TEST_F(AppTest, RecordsTheFirstRunDayOnceBesideOtherSettings) {
    writeSettings("[KestrumButton]\r\nColor=255\r\n");
    const int today = noticeday::today();
    App(exe()).saveAutoRun();
    const std::string recorded = "[KestrumButton]\r\nColor=255\r\n[Kestrum]\r\nFirstRunDay=" +
                                 std::to_string(today) + "\r\nAutoRun=0\r\n";
    EXPECT_EQ(folder.read("settings.txt"), recorded);
    EXPECT_EQ(App(exe()).firstRunDay, today);
    EXPECT_EQ(folder.read("settings.txt"), recorded) << "a later run writes nothing";

    writeSettings("[Kestrum]\r\nFirstRunDay=19000\r\n");
    EXPECT_EQ(App(exe()).firstRunDay, 19000);
}

// Every case starts from autoRun false (no Run value) and the Run value given.
class SetAutoRun : public AppTest {
protected:
    void SetUp() override {
        saved = testing_support::runValue("Kestrum");
        testing_support::setRunValue("Kestrum", std::nullopt);
    }
    void TearDown() override { testing_support::setRunValue("Kestrum", saved); }
    std::optional<std::string> saved;
};

TEST_F(SetAutoRun, WritesTheExecutablePathWhenMissingOrDifferent) {
    App app(exe());
    testing_support::setRunValue("Kestrum", std::nullopt);
    app.setAutoRun(true);
    EXPECT_TRUE(app.autoRun);
    EXPECT_EQ(testing_support::runValue("Kestrum"), exe());

    app.setAutoRun(false);
    EXPECT_EQ(testing_support::runValue("Kestrum"), std::nullopt);
    testing_support::setRunValue("Kestrum", "C:\\elsewhere\\Kestrum.exe");
    app.setAutoRun(true);
    EXPECT_EQ(testing_support::runValue("Kestrum"), exe());
}

TEST_F(SetAutoRun, KeepsAMatchingValueWithBlanksButRewritesAnotherLetterCase) {
    App app(exe());
    testing_support::setRunValue("Kestrum", "  " + exe() + " \t");
    app.setAutoRun(true);
    EXPECT_EQ(testing_support::runValue("Kestrum"), "  " + exe() + " \t");

    app.setAutoRun(false);
    std::string upper = exe();
    for (char& c : upper)
        c = char(toupper(static_cast<unsigned char>(c)));
    testing_support::setRunValue("Kestrum", upper);
    app.setAutoRun(true);
    EXPECT_EQ(testing_support::runValue("Kestrum"), exe());
}

TEST_F(SetAutoRun, FalseWithoutAValueDoesNothing) {
    App app(exe());
    app.autoRun = true;
    testing_support::setRunValue("Kestrum", std::nullopt);
    app.setAutoRun(false);
    EXPECT_FALSE(app.autoRun);
    EXPECT_EQ(testing_support::runValue("Kestrum"), std::nullopt);
}

TEST_F(SetAutoRun, TheCurrentSettingTouchesNoRegistry) {
    App app(exe());
    const auto before = testing_support::registryAccesses();
    testing_support::setRunValue("Kestrum", "unrelated");
    app.setAutoRun(false);
    EXPECT_EQ(testing_support::runValue("Kestrum"), "unrelated");
    EXPECT_EQ(testing_support::registryAccesses(), before);
}

} // namespace
