#pragma once
// Texts that a language file beside the executable may replace. The file (the executable's path
// with the extension ".lang") is read once, when the object is created; each text is then asked
// for with its key and its built-in English text.

#include <map>
#include <string>
#include <string_view>
#include <vector>

// A replaceable text: its key in the language file and the English text used without one.
struct LanguageText {
    const char* key;
    const char* builtIn;
};

// Every replaceable text of the program. "&" marks a menu access key.
namespace LanguageTexts {
constexpr LanguageText NameForm_Caption{"NameForm_Caption", "Enter a name"};
constexpr LanguageText NameForm_Label{"NameForm_Label", "Name: "};
constexpr LanguageText MainForm_About{"MainForm_About", "&About Kestrum"};
constexpr LanguageText MainForm_NewVersion{"MainForm_NewVersion", "Check New &Version..."};
constexpr LanguageText MainForm_Help{"MainForm_Help", "&Help"};
constexpr LanguageText MainForm_NewCategory{"MainForm_NewCategory", "&New Category ..."};
constexpr LanguageText MainForm_GlobalSettings{"MainForm_GlobalSettings", "&Global Settings ..."};
constexpr LanguageText MainForm_Exit{"MainForm_Exit", "E&xit"};
constexpr LanguageText MessageBox_HotKeyRegisterFailed{"MessageBox_HotKeyRegisterFailed",
                                                       "Registering Hot Key failed"};
constexpr LanguageText IconPopupMenu_ChangeTitle{"IconPopupMenu_ChangeTitle", "&Change title ..."};
constexpr LanguageText IconPopupMenu_Property{"IconPopupMenu_Property", "&Property ..."};
constexpr LanguageText IconPopupMenu_Delete{"IconPopupMenu_Delete", "&Delete"};
constexpr LanguageText BarPopupMenu_Hide{"BarPopupMenu_Hide", "&Hide"};
constexpr LanguageText BarPopupMenu_AddIcon{"BarPopupMenu_AddIcon", "&Add Icon ..."};
constexpr LanguageText BarPopupMenu_NewCategory{"BarPopupMenu_NewCategory", "&New Category ..."};
constexpr LanguageText BarPopupMenu_Rename{"BarPopupMenu_Rename", "&Rename ..."};
constexpr LanguageText BarPopupMenu_BackgroundColor{"BarPopupMenu_BackgroundColor",
                                                    "&Background Color ..."};
constexpr LanguageText BarPopupMenu_DeleteCategory{"BarPopupMenu_DeleteCategory",
                                                   "&Delete Category"};
constexpr LanguageText MessageBox_DeleteBar{"MessageBox_DeleteBar", "Delete Category"};
constexpr LanguageText MessageBox_LinkAlreadyExists{"MessageBox_LinkAlreadyExists",
                                                    "link already exists."};

// All of the above, in the order a translator meets them.
constexpr const LanguageText* all[] = {
    &NameForm_Caption,           &NameForm_Label,           &MainForm_About,
    &MainForm_NewVersion,        &MainForm_Help,            &MainForm_NewCategory,
    &MainForm_GlobalSettings,    &MainForm_Exit,            &MessageBox_HotKeyRegisterFailed,
    &IconPopupMenu_ChangeTitle,  &IconPopupMenu_Property,   &IconPopupMenu_Delete,
    &BarPopupMenu_Hide,          &BarPopupMenu_AddIcon,     &BarPopupMenu_NewCategory,
    &BarPopupMenu_Rename,        &BarPopupMenu_BackgroundColor, &BarPopupMenu_DeleteCategory,
    &MessageBox_DeleteBar,       &MessageBox_LinkAlreadyExists,
};
} // namespace LanguageTexts

class Language {
public:
    // Reads section "Strings" of `fileName`; a missing or unreadable file leaves every text at
    // its built-in value.
    explicit Language(const std::string& fileName);

    // The file's text for `key` (even when empty), else `builtIn`. Keys match byte for byte.
    std::string getText(std::string_view key, std::string_view builtIn) const;
    std::string getText(const LanguageText& text) const { return getText(text.key, text.builtIn); }

    // A language file holding every text with its English text: what a translation starts from.
    static std::string exampleFile();

private:
    std::vector<std::string> keys;                         // the section's key names in file order
    std::map<std::string, std::string, std::less<>> texts; // key -> text, first line wins
};
