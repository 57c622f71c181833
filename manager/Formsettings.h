#pragma once
// The global settings dialog: how the category window looks (icon size, icon titles and their
// font, whether names or icons come first, how names are aligned), whether the program starts
// with Windows, and the main button's colour and visible height. Each control shows and changes
// a setting of the manager, the application or the main button window and saves it at once; the
// dialog keeps nothing of its own, so "&Close" only closes it.

#include "platform/Controls.h"
#include "platform/Form.h"
#include "windows/Appearancewindow.h"
#include "windows/Buttonwindow.h"
#include "windows/Commandwindow.h"
#include "windows/Settingsdialog.h"

#include <cstdint>

class Program;
class BarManager;

class TSettingsForm : public platform::Form, public SettingsDialog {
public:
    TSettingsForm(BarManager& manager, Program& program, AppearanceWindow& categoryWindow,
                  ButtonWindow& buttonWindow);
    ~TSettingsForm() override;

    void showSettings() override { showModal(); }
    // The window whose Start menu setting the dialog shows; none leaves the box unchecked.
    void setCommandWindow(CommandWindow* window) { commandWindow_ = window; }

    // Each selects the item that stands for the value, then changes the setting, saves it and
    // lays the category window out again, but only when the value differs from the setting.
    void setIconSize(std::int32_t value);
    void setLayout(std::uint8_t value);
    void setNameAlignment(std::uint8_t value);

    // In tab order.
    platform::PageControl PageControl1;
    platform::Page PageAppearance;
    platform::CheckBox CheckBoxIconTitleVisible;
    platform::RadioGroup RadioGroupSmallOrLargeIcons;
    platform::RadioGroup RadioGroupBarLayout;
    platform::RadioGroup RadioGroupBarNameAlignment;
    platform::PushButton IconTitleFontButton;
    platform::Page PageGeneral;
    platform::CheckBox CheckBoxAutoRun;
    platform::PushButton ButtonColorForAutoHideButton;
    platform::Label Label1;
    platform::EditBox EditVisibleHeight;
    platform::UpDown UpDownVisibleHeight;
    platform::CheckBox CheckBoxStartMenu;
    platform::ContainerPanel PanelBottom;
    platform::PushButton Button1;

protected:
    void FormShow() override;

private:
    void CheckBoxIconTitleVisibleClick();
    void RadioGroupSmallOrLargeIconsClick();
    void RadioGroupBarLayoutClick();
    void RadioGroupBarNameAlignmentClick();
    void IconTitleFontButtonClick();
    void CheckBoxAutoRunClick();
    void ButtonColorForAutoHideButtonClick();
    void UpDownVisibleHeightClick();
    void CheckBoxStartMenuClick();
    void Button1Click() { close(); }

    // Saves the appearance, then lays the category window out with it and repaints it.
    void applyAppearance();

    BarManager& manager_;
    Program& program_;
    AppearanceWindow& categoryWindow_;
    ButtonWindow& buttonWindow_;
    CommandWindow* commandWindow_ = nullptr;
};
