#include "barwindow/Formbarname.h"

#include "barwindow/Formbar.h"
#include "platform/Dialogs.h"
#include "store/Bar.h"

TBarNameForm::TBarNameForm(TBarForm& categoryWindow, const Language& language)
    : Form(platform::FormKind::Dialog), Label1(*this, {12, 20, 57, 13}, "Name :   "),
      BarNameEdit(*this, {72, 18, 217, 21}), Button1(*this, {54, 66, 75, 25}, "&OK"),
      Button2(*this, {198, 66, 75, 25}, "&Canel"), categoryWindow_(categoryWindow),
      language_(language) {
    setCaption("Enter a name");
    setClientSize({336, 114});
    centreOnScreen();
    setFontOfControls(*this, {{"Verdana", 8}, 11});
    Label1.setFont({{"Verdana", 8, platform::Colors::WindowText, true}, 11});
    Button1.setDefault(true);
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
}

TBarNameForm::~TBarNameForm() = default;

void TBarNameForm::askName(Bar* target) {
    targetBar = target;
    showModal();
}

void TBarNameForm::FormCreate() {
    setCaption(language_.getText(LanguageTexts::NameForm_Caption));
    Label1.setText(language_.getText(LanguageTexts::NameForm_Label));
}

void TBarNameForm::FormShow() {
    BarNameEdit.setFocus();
    if (targetBar) {
        BarNameEdit.setText(targetBar->GetName());
        BarNameEdit.selectAll();
    } else {
        BarNameEdit.setText("");
    }
}

// The text goes to the file system as typed: whatever it refuses is what is not available.
void TBarNameForm::Button1Click() {
    const std::string name = BarNameEdit.text();
    const bool accepted = targetBar ? categoryWindow_.renameCategory(targetBar, name)
                                    : categoryWindow_.createCategory(name);
    if (accepted) {
        targetBar = nullptr; // the category may be deleted before the dialog is shown again
        close();
    } else
        platform::showMessage("Name is not available.");
}

void TBarNameForm::Button2Click() {
    targetBar = nullptr;
    close();
}
