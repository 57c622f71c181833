#include "store/Language.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

TEST(Language, WithoutAFileEveryTextIsBuiltIn) {
    TempFolder folder;
    const Language language(folder.file("Kestrum.lang"));
    EXPECT_EQ(language.getText(LanguageTexts::MainForm_Exit), "E&xit");
    EXPECT_EQ(language.getText(LanguageTexts::NameForm_Label), "Name: ");
}

TEST(Language, FollowsTheFileRules) {
    TempFolder folder;
    const Language language(
        folder.write("Kestrum.lang", "[Other]\r\nMainForm_Help=wrong section\r\n"
                                     "[strings]\r\n"
                                     "MainForm_Exit=Beenden\r\n"
                                     "MainForm_Exit=second line\r\n"
                                     "mainform_about=lower-case key\r\n"
                                     "NameForm_Label=\"  Name:  \"\r\n"
                                     "BarPopupMenu_Hide=\r\n"
                                     "MessageBox_DeleteBar=" +
                                         std::string(3000, 'd') + "\r\n"));
    EXPECT_EQ(language.getText(LanguageTexts::MainForm_Exit), "Beenden") << "first line wins";
    EXPECT_EQ(language.getText(LanguageTexts::MainForm_About), "&About Kestrum")
        << "keys are asked for in their own letter case";
    EXPECT_EQ(language.getText("mainform_about", "x"), "lower-case key");
    EXPECT_EQ(language.getText(LanguageTexts::NameForm_Label), "  Name:  ");
    EXPECT_EQ(language.getText(LanguageTexts::BarPopupMenu_Hide), "") << "an empty text is a text";
    EXPECT_EQ(language.getText(LanguageTexts::MessageBox_DeleteBar), std::string(2047, 'd'));
    EXPECT_EQ(language.getText(LanguageTexts::MainForm_Help), "&Help");
}

TEST(Language, AKeyRepeatedInAnotherCaseTakesTheFirstText) {
    TempFolder folder;
    const Language language(folder.write("Kestrum.lang", "[Strings]\r\nMainForm_Exit=first\r\n"
                                                         "MAINFORM_EXIT=second\r\n"));
    EXPECT_EQ(language.getText("MAINFORM_EXIT", ""), "first");
}

} // namespace

// The example shipped for translators must read back as the English texts, blanks included.
TEST(Language, TheExampleFileReadsBackAsTheBuiltInTexts) {
    TempFolder folder;
    const Language language(folder.write("Kestrum.lang", Language::exampleFile()));
    for (const LanguageText* text : LanguageTexts::all)
        EXPECT_EQ(language.getText(text->key, "missing"), text->builtIn) << text->key;
}
