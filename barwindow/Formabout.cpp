#include "barwindow/Formabout.h"

#include "windows/Program.h"

namespace {

constexpr platform::Color kLinkBlue = 0xFF0000;

platform::ControlFont verdana(platform::Color color = platform::Colors::WindowText) {
    return {{"Verdana", 8, color}, 11};
}

} // namespace

TAboutForm::TAboutForm(const Program& program)
    : Form(platform::FormKind::Dialog), LabelVersion(*this, {42, 24, 178, 36}),
      Label1(*this, {60, 78, 219, 13}, "Author: team@kestrum.org"),
      LabelHomePageURL(*this, {60, 102, 147, 13}), Button1(*this, {168, 132, 105, 25}, "&OK"),
      program_(program) {
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

TAboutForm::~TAboutForm() = default;

void TAboutForm::FormCreate() {
    LabelVersion.setText("  Kestrum " + program_.versionText() + "   ");
    LabelHomePageURL.setText(program_.homePageAddress());
}

void TAboutForm::LabelHomePageURLClick() {
    program_.openHomePage();
}
