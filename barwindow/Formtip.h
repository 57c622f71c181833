#pragma once
// The monthly notice that offers to open the product's web page to look for a new version. The
// main window asks it to show when the bar first appears; it shows itself, not modally, only on
// the days it is due, and keeps nothing of the answer, so it comes back 30 days later.

#include "platform/Controls.h"
#include "platform/Form.h"

class Program;

class TKestrumTipForm : public platform::Form {
public:
    explicit TKestrumTipForm(const Program& program);
    ~TKestrumTipForm() override;

    // Shows the notice if it is due today; otherwise does nothing.
    void Show();

    platform::Label Label1;
    platform::Label Label2;
    platform::PushButton Button1;
    platform::PushButton Button2;

private:
    void Button1Click();
    void Button2Click() { close(); }

    const Program& program_;
};
