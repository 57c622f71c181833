#pragma once
// The dialog that asks for a category's name: for a new category when it has no target, else
// to rename its target. A name the file system refuses keeps it open with the text as typed, so
// that the user can correct it. Escape does nothing here; "&Canel" closes it.

#include "platform/Controls.h"
#include "platform/Form.h"
#include "store/Language.h"
#include "windows/Namedialog.h"

class Bar;
class TBarForm;

class TBarNameForm : public platform::Form, public NameDialog {
public:
    // Creates and renames categories through `categoryWindow`, which lays itself out afterwards.
    TBarNameForm(TBarForm& categoryWindow, const Language& language);
    ~TBarNameForm() override;

    void askName(Bar* target) override;

    // The category to rename, or none for a new one; set before the modal show.
    Bar* targetBar = nullptr;

    platform::Label Label1;
    platform::EditBox BarNameEdit;
    platform::PushButton Button1;
    platform::PushButton Button2;

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void Button1Click();
    void Button2Click();

    TBarForm& categoryWindow_;
    const Language& language_;
};
