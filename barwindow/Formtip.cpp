#include "barwindow/Formtip.h"

#include "windows/Program.h"

namespace {

constexpr platform::Color kPaleYellow = 0xBBFFFF;

} // namespace

TKestrumTipForm::TKestrumTipForm(const Program& program)
    : Form(platform::FormKind::Dialog), Label1(*this, {24, 18, 167, 18}, "Kestrum Monthly Tip:"),
      Label2(*this, {36, 60, 299, 28},
             "Would you like to connect to the Kestrum web site to see whether there is a new "
             "version?"),
      Button1(*this, {72, 138, 75, 25}, "&Yes"), Button2(*this, {228, 138, 75, 25}, "&No"),
      program_(program) {
    setCaption("Kestrum Tip");
    setClientSize({379, 201});
    setLeft(343);
    setTop(0);
    setColor(kPaleYellow);
    setFontOfControls(*this, {{"Verdana", 9}, 12});
    Label1.setFont({{"Verdana", 11, platform::Colors::WindowText, true}, 15});
    Label2.setWordWrap(true);
    Button1.setDefault(true);
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
}

TKestrumTipForm::~TKestrumTipForm() = default;

void TKestrumTipForm::Show() {
    if (program_.noticeDueToday()) show();
}

void TKestrumTipForm::Button1Click() {
    program_.openHomePage();
    close();
}
