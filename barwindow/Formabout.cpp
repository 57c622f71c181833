#include "barwindow/Formabout.h"

#include "app/App.h"

TAboutForm* AboutForm = nullptr;

namespace {

constexpr platform::Color kLinkBlue = 0xFF0000;

platform::ControlFont verdana(platform::Color color = platform::Colors::WindowText) {
    return {{"Verdana", 8, color}, 11};
}

} // namespace

TAboutForm::TAboutForm(const App& app)
    : Form(platform::FormKind::Dialog), LabelVersion(*this, {42, 24, 178, 36}),
      Label1(*this, {60, 78, 219, 13}, "Author: team@kestrum.org"),
      LabelHomePageURL(*this, {60, 102, 147, 13}), Button1(*this, {168, 132, 105, 25}, "&OK"),
      app_(app) {
    setCaption("About");
    setClientSize({325, 190});
    centreOnScreen();
    setFontOfControls(*this, verdana());
    LabelVersion.setFont({{"Book Antiqua", 22}, 29});
    platform::ControlFont link = verdana(kLinkBlue);
    link.font.underline = true;
    LabelHomePageURL.setFont(link);
    LabelHomePageURL.setCursor(platform::Cursor::HandPoint);
    LabelHomePageURL.onClick = [this] { LabelHomePageURLClick(); };
    Button1.setDefault(true);
    Button1.onClick = [this] { Button1Click(); };
}

TAboutForm::~TAboutForm() {
    if (AboutForm == this) AboutForm = nullptr;
}

void TAboutForm::FormCreate() {
    LabelVersion.setText("  Kestrum " + app_.version + "   ");
    LabelHomePageURL.setText(app_.homePage);
}

void TAboutForm::LabelHomePageURLClick() {
    app_.openHomePage();
}
