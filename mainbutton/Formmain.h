#pragma once
// The program's main window: a small borderless bar at the top edge of the screen with the main
// button and a drag handle. It hides by sliding up until only a strip stays on screen, slides
// down while the pointer touches it (or the category window is open), is pushed off screens too
// narrow for it and can be dragged sideways by its handle. Its colour and visible height live in
// section "KestrumButton" of the global settings file. A right click on it, the button included,
// opens the main menu. Ctrl+J, held for the window's whole life, opens the category window and the
// command window beside it from any program.

#include "mainbutton/Mainbutton.h"
#include "mainbutton/Mainformanimater.h"
#include "platform/Accessible.h"
#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Hotkey.h"
#include "platform/Menu.h"
#include "platform/Topmost.h"
#include "windows/Buttonwindow.h"
#include "windows/Categorywindow.h"
#include "windows/Commandwindow.h"
#include "windows/Drageventhandler.h"
#include "windows/Draghelper.h"
#include "windows/Mainwindow.h"

#include <functional>
#include <optional>
#include <string>

class Language;
struct LanguageText;
class Program;

class TMainForm : public platform::Form,
                  public MainWindow,
                  public DragEventHandler,
                  public ButtonWindow,
                  private platform::AccessibleTree {
public:
    // Reads its settings from `settingsFileName` before it is first shown. Its menu and
    // warning take their texts from `language`, the built-in ones without it.
    explicit TMainForm(std::string settingsFileName, const Language* language = nullptr);
    ~TMainForm() override;

    void loadButtonSettings();
    // Throws platform::IniWriteError when the settings file cannot be written.
    void saveButtonSettings() override;
    // A hidden bar slides to its new strip.
    void setVisibleHeight(int visibleHeight) override;
    int hiddenBottom() const override { return animater_.hiddenBottom; }
    int shownBottom() const override { return animater_.shownBottom; }
    platform::Color buttonColor() const override { return color(); }
    void setButtonColor(platform::Color newColor) override { setColor(newColor); }

    const platform::Form& form() const override { return *this; }
    platform::Point bottomLeft() const override { return {left(), top() + height()}; }
    void pressButton() override;
    void releaseButton() override;
    // The window the main button opens and closes; none until it exists.
    void setCategoryWindow(CategoryWindow* window) { categoryWindow_ = window; }
    // The window the hot key opens beside the category window; none until it exists.
    void setCommandWindow(CommandWindow* window) { commandWindow_ = window; }
    // What the version and help items of the main menu open; they do nothing until it is set.
    void setProgram(const Program* program) { program_ = program; }
    // What the main menu opens in windows of other parts, wired by start-up; an item whose
    // command is not set does nothing.
    std::function<void()> onAbout;          // the about box, not modal
    std::function<void()> onNewCategory;    // the category window's new-category command
    std::function<void()> onGlobalSettings; // the global settings dialog, modal
    // Once the bar has been shown (the framework shows it once, at start-up): asks the
    // version-check notice to show itself, which it does only on the days it is due.
    std::function<void()> onShown;

    // Exit: hides the command window and the category window, then closes this one, which ends
    // the program.
    void Close();

    const MainFormAnimater& animater() const { return animater_; }
    const DragHelper& dragHelper() const { return dragHelper_; }
    const MainButton& mainButton() const { return mainButton_; }
    // Ctrl+J, or none when it could not be had; the system's WM_HOTKEY carries this identifier.
    const platform::HotKey* hotKey() const { return hotKey_ ? &*hotKey_ : nullptr; }
    static constexpr int kHotKeyId = 721721;

    void dragBegin(int, int) override {}
    void dragMove(int x, int y) override;
    // A bar dropped wholly off the left edge comes back to it.
    void dragEnd(int, int) override { checkScreenSize(); }

    // Below this screen width the bar leaves the screen.
    static constexpr int kMinimumScreenWidth = 650;
    // How far the bar is pushed to the left to leave the screen.
    static constexpr int kOffScreenShift = 3000;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormKeyDown(int key, platform::ShiftState shift) override;
    void FormContextPopup(platform::Point pos) override;
    void FormMouseMove(const platform::MouseEvent& event) override;
    void FormMouseUp(const platform::MouseEvent& event) override;
    void FormMouseOver() override;
    void FormMouseLeave() override;
    void FormScreenChanged() override { checkScreenSize(); }
    void FormDpiChanged() override;
    void FormHotKey(int id) override;
    bool FormQueryEndSession() override;

private:
    void buildMainMenu();
    void registerHotKey();
    void MenuItemAboutClick() { runIfSet(onAbout); }
    void MenuItemNewVersionClick();
    void MenuItemHelpClick();
    void MenuItemNewCategoryClick() { runIfSet(onNewCategory); }
    void MenuItemGlobalSettingsClick() { runIfSet(onGlobalSettings); }
    void MenuItemExitClick() { Close(); }
    static void runIfSet(const std::function<void()>& command) {
        if (command) command();
    }

    void MainButtonClick();
    void MouseCheckerTimer();
    void FormAnimaterTimer();
    void watchPointer();
    void checkScreenSize();
    bool categoryWindowShown() const { return categoryWindow_ && categoryWindow_->isShown(); }

    std::string text(const LanguageText& text) const;

    std::string settingsFileName_;
    const Language* language_;
    const Program* program_ = nullptr;
    MainButton mainButton_;
    platform::Panel panel1_; // the drag handle
    DragHelper dragHelper_;
    MainFormAnimater animater_;
    CategoryWindow* categoryWindow_ = nullptr;
    CommandWindow* commandWindow_ = nullptr;
    platform::PopupMenu mainMenu_;
    platform::Timer mouseChecker_;
    platform::Timer formAnimater_;
    bool leaveTracked_ = false; // the system says when the pointer leaves the window
    // Screen readers see the button and the handle by name (their texts); the button's default
    // action is a click.
    int accessibleCount(int group) const override;
    std::optional<platform::AccessibleItem> accessibleItem(int group, int index) const override;
    bool accessibleDefaultAction(int group, int index) override;
    std::optional<platform::AccessibleExposure> accessible_; // from FormCreate on
    std::optional<platform::TopmostKeeper> topmostKeeper_;   // from FormCreate on
    // Last, so that the key is given back while the window still exists.
    std::optional<platform::HotKey> hotKey_;
};

