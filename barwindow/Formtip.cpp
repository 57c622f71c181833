#include "barwindow/Formtip.h"

#include "app/App.h"

TKestrumTipForm* KestrumTipForm = nullptr;

namespace {

constexpr platform::Color kPaleYellow = 0xBBFFFF;

} // namespace

TKestrumTipForm::TKestrumTipForm(const App& app)
    : Form(platform::FormKind::Dialog), Label1(*this, {24, 18, 167, 18}, "Kestrum Monthly Tip:"),
      Label2(*this, {36, 60, 299, 28},
             "Would you like to connect to the Kestrum web site to see whether there is a new "
             "version?"),
      Button1(*this, {72, 138, 75, 25}, "&Yes"), Button2(*this, {228, 138, 75, 25}, "&No"),
      app_(app) {
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

TKestrumTipForm::~TKestrumTipForm() {
    if (KestrumTipForm == this) KestrumTipForm = nullptr;
}

void TKestrumTipForm::Show() {
    if (app_.noticeDueToday()) show();
}

void TKestrumTipForm::Button1Click() {
    app_.openHomePage();
    close();
}
