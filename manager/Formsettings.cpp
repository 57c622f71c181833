#include "manager/Formsettings.h"

#include "manager/Barmanager.h"
#include "platform/Dialogs.h"
#include "windows/Program.h"

namespace {

using platform::Rect;

constexpr int kClientWidth = 404;
constexpr int kClientHeight = 437;
constexpr int kBottomHeight = 57;
constexpr int kMargin = 8;
// Controls on a page: their left edge, and the width of a radio group.
constexpr int kIndent = 12;
constexpr int kGroupWidth = 364;
constexpr int kGroupHeight = 48;

Rect pageControlBounds() {
    return {kMargin, kMargin, kClientWidth - 2 * kMargin, kClientHeight - kBottomHeight - kMargin};
}

// The n-th radio group below the check box at the top of the page.
Rect groupBounds(int n) {
    return {kIndent, 44 + n * (kGroupHeight + 12), kGroupWidth, kGroupHeight};
}

} // namespace

TSettingsForm::TSettingsForm(BarManager& manager, Program& program, AppearanceWindow& categoryWindow,
                             ButtonWindow& buttonWindow)
    : Form(platform::FormKind::Dialog), PageControl1(*this, pageControlBounds()),
      PageAppearance(PageControl1, "Appearance"),
      CheckBoxIconTitleVisible(PageAppearance, {kIndent, 16, 200, 17}, "Show Icon Title"),
      RadioGroupSmallOrLargeIcons(PageAppearance, groupBounds(0), "Icon Size",
                                  {"Small(16x16)", "Large(32x32)"}, 2),
      RadioGroupBarLayout(PageAppearance, groupBounds(1), "Layout",
                          {"Icons Left", "Category Name Left"}, 2),
      RadioGroupBarNameAlignment(PageAppearance, groupBounds(2), "Category Name Alignment",
                                 {"Left", "Center", "Right"}, 3),
      IconTitleFontButton(PageAppearance, {kIndent, 236, 150, 25}, "Icon Title Font ..."),
      PageGeneral(PageControl1, "General"),
      CheckBoxAutoRun(PageGeneral, {kIndent, 16, 200, 17}, "Start up with Windows"),
      ButtonColorForAutoHideButton(PageGeneral, {kIndent, 48, 200, 25},
                                   "Color of AutoHide Button ..."),
      Label1(PageGeneral, {kIndent, 95, 170, 16}, "Visible Height When hidden"),
      EditVisibleHeight(PageGeneral, {kIndent + 176, 92, 56, 21}),
      UpDownVisibleHeight(PageGeneral, EditVisibleHeight),
      CheckBoxStartMenu(PageGeneral, {kIndent, 128, kGroupWidth, 17},
                        "List the Start menu's programs in the command window"),
      PanelBottom(*this, {0, kClientHeight - kBottomHeight, kClientWidth, kBottomHeight}),
      Button1(PanelBottom, {kClientWidth - kMargin - 75, 16, 75, 25}, "&Close"), manager_(manager),
      program_(program), categoryWindow_(categoryWindow), buttonWindow_(buttonWindow) {
    setCaption("Global Settings");
    setClientSize({kClientWidth, kClientHeight});
    centreOnScreen();
    font = {"Verdana", 8};
    platform::setFontOfControls(*this, {font});
    EditVisibleHeight.setReadOnly(true);
    Button1.setDefault(true);

    CheckBoxIconTitleVisible.onClick = [this] { CheckBoxIconTitleVisibleClick(); };
    RadioGroupSmallOrLargeIcons.onClick = [this] { RadioGroupSmallOrLargeIconsClick(); };
    RadioGroupBarLayout.onClick = [this] { RadioGroupBarLayoutClick(); };
    RadioGroupBarNameAlignment.onClick = [this] { RadioGroupBarNameAlignmentClick(); };
    IconTitleFontButton.onClick = [this] { IconTitleFontButtonClick(); };
    CheckBoxAutoRun.onClick = [this] { CheckBoxAutoRunClick(); };
    ButtonColorForAutoHideButton.onClick = [this] { ButtonColorForAutoHideButtonClick(); };
    UpDownVisibleHeight.onClick = [this] { UpDownVisibleHeightClick(); };
    CheckBoxStartMenu.onClick = [this] { CheckBoxStartMenuClick(); };
    Button1.onClick = [this] { Button1Click(); };
}

TSettingsForm::~TSettingsForm() = default;

// Showing the current values changes none of them: the setters see them unchanged.
void TSettingsForm::FormShow() {
    CheckBoxAutoRun.setChecked(program_.startsWithWindows());
    CheckBoxIconTitleVisible.setChecked(manager_.showIconTitle != 0);
    setIconSize(manager_.iconSizeType);
    setLayout(manager_.barLayout);
    setNameAlignment(manager_.barNameAlignment);
    UpDownVisibleHeight.setRange(1, buttonWindow_.shownBottom() - 1);
    UpDownVisibleHeight.setPosition(buttonWindow_.hiddenBottom());
    CheckBoxStartMenu.setChecked(commandWindow_ && commandWindow_->listsStartMenu());
}

void TSettingsForm::setIconSize(std::int32_t value) {
    RadioGroupSmallOrLargeIcons.setSelectedIndex(value != std::int32_t(IconSizeType::Small));
    if (value == manager_.iconSizeType) return;
    manager_.iconSizeType = value;
    applyAppearance();
}

void TSettingsForm::setLayout(std::uint8_t value) {
    RadioGroupBarLayout.setSelectedIndex(value != std::uint8_t(BarLayout::IconsLeft));
    if (value == manager_.barLayout) return;
    manager_.setBarLayout(value);
    applyAppearance();
}

// The painter draws every value above Center as Right, so the dialog shows it so.
void TSettingsForm::setNameAlignment(std::uint8_t value) {
    RadioGroupBarNameAlignment.setSelectedIndex(value);
    if (value == manager_.barNameAlignment) return;
    manager_.barNameAlignment = value;
    applyAppearance();
}

void TSettingsForm::applyAppearance() {
    manager_.saveAppearance();
    categoryWindow_.updateLayout();
    categoryWindow_.repaintWindow();
}

void TSettingsForm::CheckBoxIconTitleVisibleClick() {
    manager_.showIconTitle = CheckBoxIconTitleVisible.checked();
    applyAppearance();
}

void TSettingsForm::RadioGroupSmallOrLargeIconsClick() {
    const int item = RadioGroupSmallOrLargeIcons.selectedIndex();
    if (item < 0) return;
    setIconSize(std::int32_t(item == 1 ? IconSizeType::Large : IconSizeType::Small));
}

void TSettingsForm::RadioGroupBarLayoutClick() {
    const int item = RadioGroupBarLayout.selectedIndex();
    if (item < 0) return;
    setLayout(std::uint8_t(item));
}

void TSettingsForm::RadioGroupBarNameAlignmentClick() {
    const int item = RadioGroupBarNameAlignment.selectedIndex();
    if (item < 0) return;
    setNameAlignment(std::uint8_t(item));
}

// The titles keep their colour: the font dialog offers one, but only name, size and style are
// taken.
void TSettingsForm::IconTitleFontButtonClick() {
    const auto chosen = platform::chooseFont(this, manager_.iconTitleFont);
    if (!chosen) return;
    platform::Font titleFont = *chosen;
    titleFont.color = manager_.iconTitleFont.color;
    manager_.iconTitleFont = titleFont;
    applyAppearance();
}

void TSettingsForm::CheckBoxAutoRunClick() {
    program_.setStartsWithWindows(CheckBoxAutoRun.checked());
}

void TSettingsForm::ButtonColorForAutoHideButtonClick() {
    const auto chosen = platform::chooseColor(this, buttonWindow_.buttonColor());
    if (!chosen) return;
    buttonWindow_.setButtonColor(*chosen);
    buttonWindow_.saveButtonSettings();
}

void TSettingsForm::UpDownVisibleHeightClick() {
    const int position = UpDownVisibleHeight.position();
    if (position == buttonWindow_.hiddenBottom()) return;
    buttonWindow_.setVisibleHeight(position);
    buttonWindow_.saveButtonSettings();
}

void TSettingsForm::CheckBoxStartMenuClick() {
    if (commandWindow_) commandWindow_->setListsStartMenu(CheckBoxStartMenu.checked());
}
