#include "app/App.h"
#include "app/Language.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "store/Bar.h"
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
    folder.write("config.txt", "[Bar]\r\nCount=1\r\n0=Games\r\n");
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

struct AutoRunCase {
    const char* stored; // nullptr: no key
    bool expected;
};

class AutoRunSetting : public AppTest, public testing::WithParamInterface<AutoRunCase> {};

TEST_P(AutoRunSetting, ReadsAsAnIntegerDefaultingToTrue) {
    if (GetParam().stored) writeSettings(std::string("[Kestrum]\r\nAutoRun=") + GetParam().stored);
    EXPECT_EQ(App(exe()).autoRun, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, AutoRunSetting,
                         testing::Values(AutoRunCase{nullptr, true}, AutoRunCase{"0", false},
                                         AutoRunCase{"5", true}, AutoRunCase{"0x1", true},
                                         AutoRunCase{"0x0", false}, AutoRunCase{"junk", true},
                                         AutoRunCase{"", true}));

TEST_F(AppTest, SavesAutoRunAsOneOrZeroBesideOtherSettings) {
    writeSettings("[KestrumButton]\r\nColor=255\r\n");
    App app(exe());
    app.autoRun = false;
    app.saveAutoRun();
    EXPECT_EQ(folder.read("settings.txt"),
              "[KestrumButton]\r\nColor=255\r\n[Kestrum]\r\nAutoRun=0\r\n");
}

// Every case starts from autoRun false (stored "0") and the Run value given.
class SetAutoRun : public AppTest {
protected:
    void SetUp() override {
        writeSettings("[Kestrum]\r\nAutoRun=0\r\n");
        saved = testing_support::runValue("Kestrum");
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
