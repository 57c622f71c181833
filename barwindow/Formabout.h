#pragma once
// The about box: the program's name and version, its author and its web address, which opens
// in the browser when clicked. Shown without being modal.

#include "platform/Controls.h"
#include "platform/Form.h"

class Program;

class TAboutForm : public platform::Form {
public:
    explicit TAboutForm(const Program& program);
    ~TAboutForm() override;

    platform::Label LabelVersion;
    platform::Label Label1;
    platform::Label LabelHomePageURL;
    platform::PushButton Button1;

protected:
    void FormCreate() override;

private:
    void Button1Click() { close(); }
    void LabelHomePageURLClick();

    const Program& program_;
};
