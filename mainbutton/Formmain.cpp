#include "mainbutton/Formmain.h"

#include "platform/Inifile.h"
#include "platform/System.h"
#include "store/Language.h"
#include "windows/Program.h"

namespace {

constexpr const char* kSection = "KestrumButton";
constexpr int kWidth = 80;
constexpr int kHeight = 27;
// The bar starts this far below its hidden place and glides up into it.
constexpr int kStartDrop = 150;

// Edges count as over, so a bar hidden at the top reacts to the pointer on the topmost row.
bool pointerOver(const platform::Rect& window, const std::optional<platform::Point>& pointer) {
    return pointer && window.containsWithEdges(*pointer);
}

} // namespace

TMainForm::TMainForm(std::string settingsFileName, const Language* language)
    : settingsFileName_(std::move(settingsFileName)), language_(language), mainButton_(*this), panel1_(*this),
      dragHelper_(*this), animater_(*this),
      mouseChecker_(*this, 10, [this] { MouseCheckerTimer(); }),
      formAnimater_(*this, 50, [this] { FormAnimaterTimer(); }) {
    setColor(platform::Colors::Yellow);
    font = {"Verdana", 8, platform::Colors::WindowText, true};
    setBounds({0, 0, kWidth, kHeight});

    mainButton_.setWidth(70);
    mainButton_.onClick = [this] { MainButtonClick(); };
    mainButton_.cursor = platform::Cursor::Arrow;

    panel1_.setBounds({73, 2, 3, 22});
    panel1_.cursor = platform::Cursor::SizeAll;
    panel1_.hint = "Drag me";
    panel1_.showHint = true;
    // The handle tells of the pointer in its own coordinates; the drag follows it in the bar's.
    const auto inBar = [this](platform::MouseEvent event) {
        const platform::Rect handle = panel1_.bounds();
        event.pos = {event.pos.x + handle.left, event.pos.y + handle.top};
        return event;
    };
    panel1_.onMouseMove = [this, inBar](const platform::MouseEvent& e) { FormMouseMove(inBar(e)); };
    panel1_.onMouseUp = [this, inBar](const platform::MouseEvent& e) { FormMouseUp(inBar(e)); };

    dragHelper_.threshold = 0;
    setTop(animater_.hiddenBottom + kStartDrop - kHeight);
    loadButtonSettings();
}

TMainForm::~TMainForm() = default;

std::string TMainForm::text(const LanguageText& text) const {
    return language_ ? language_->getText(text) : std::string(text.builtIn);
}

void TMainForm::loadButtonSettings() {
    const platform::IniFile settings(settingsFileName_);
    if (settings.valueExists(kSection, "Color"))
        setColor(settings.readInteger(kSection, "Color", color()));
    setVisibleHeight(settings.readInteger(kSection, "VisibleHeight", animater_.hiddenBottom));
}

void TMainForm::setVisibleHeight(int visibleHeight) {
    animater_.setVisibleHeight(visibleHeight);
    watchPointer();
}

void TMainForm::saveButtonSettings() {
    platform::IniBatch(settingsFileName_)
        .writeInteger(kSection, "Color", color())
        .writeInteger(kSection, "VisibleHeight", animater_.hiddenBottom)
        .commit();
}

void TMainForm::FormCreate() {
    setWindowStyle(windowStyle() & platform::WindowStyle::Popup);
    setExtendedStyle(extendedStyle() | platform::ExtendedStyle::Topmost |
                     platform::ExtendedStyle::ToolWindow);
    registerHotKey();
    buildMainMenu();
    platform::AccessibleTree& tree = *this;
    accessible_.emplace(*this, tree);
    topmostKeeper_.emplace();
}

int TMainForm::accessibleCount(int group) const {
    return group < 0 ? 2 : 0;
}

std::optional<platform::AccessibleItem> TMainForm::accessibleItem(int group, int index) const {
    if (group >= 0) return std::nullopt;
    if (index == 0)
        return platform::AccessibleItem{platform::AccessibleRole::PushButton, mainButton_.caption,
                                        "", mainButton_.bounds(), "Press", false};
    if (index == 1)
        return platform::AccessibleItem{platform::AccessibleRole::Grip, panel1_.hint, "",
                                        panel1_.bounds(), "", false};
    return std::nullopt;
}

bool TMainForm::accessibleDefaultAction(int group, int index) {
    if (group >= 0 || index != 0) return false;
    MainButtonClick();
    return true;
}

// Without the key the program still works, so the user is told once and it goes on; the key is
// not asked for again before the next start.
void TMainForm::registerHotKey() {
    hotKey_.emplace(*this, kHotKeyId, platform::HotKeyModifiers::Control, 'J');
    if (hotKey_->registered()) return;
    platform::messageBox(this,
                         "[ Ctr+j ]   " + text(LanguageTexts::MessageBox_HotKeyRegisterFailed),
                         platform::applicationTitle(),
                         platform::MessageBoxStyle::IconWarning | platform::MessageBoxStyle::Ok);
}

// Whatever the identifier: the key is the only one the window holds. Pressed again while both
// windows are open, it only brings the command window back to the front.
void TMainForm::FormHotKey(int) {
    if (categoryWindow_) categoryWindow_->showWindow();
    if (commandWindow_) commandWindow_->showCommand();
}

void TMainForm::pressButton() {
    mainButton_.setDown(true);
    MouseCheckerTimer();
}

void TMainForm::releaseButton() {
    mainButton_.setDown(false);
    if (commandWindow_) commandWindow_->hideCommand();
    MouseCheckerTimer();
}

void TMainForm::buildMainMenu() {
    namespace T = LanguageTexts;
    mainMenu_.addItem(text(T::MainForm_About), [this] { MenuItemAboutClick(); });
    mainMenu_.addItem(text(T::MainForm_NewVersion), [this] { MenuItemNewVersionClick(); });
    mainMenu_.addItem(text(T::MainForm_Help), [this] { MenuItemHelpClick(); });
    mainMenu_.addSeparator();
    mainMenu_.addItem(text(T::MainForm_NewCategory), [this] { MenuItemNewCategoryClick(); });
    mainMenu_.addItem(text(T::MainForm_GlobalSettings),
                      [this] { MenuItemGlobalSettingsClick(); });
    mainMenu_.addSeparator();
    mainMenu_.addItem(text(T::MainForm_Exit), [this] { MenuItemExitClick(); });
}

// From the keyboard the menu opens below the bar's left corner.
void TMainForm::FormContextPopup(platform::Point pos) {
    const bool fromKeyboard = pos.x == -1 && pos.y == -1;
    mainMenu_.popup(*this, fromKeyboard ? platform::Point{0, clientSize().height} : pos);
}

void TMainForm::MenuItemNewVersionClick() {
    if (program_) program_->openHomePage();
}

void TMainForm::MenuItemHelpClick() {
    if (program_ && !program_->openHelp())
        platform::messageBox(this, "Cannot find help.htm", platform::applicationTitle(),
                             platform::MessageBoxStyle::Ok);
}

void TMainForm::Close() {
    if (commandWindow_) commandWindow_->hideCommand();
    if (categoryWindow_) categoryWindow_->hideWindow();
    close();
}

void TMainForm::FormShow() {
    showTopmost();
    checkScreenSize();
    runIfSet(onShown);
}

void TMainForm::FormDpiChanged() {
    Form::FormDpiChanged();
    checkScreenSize();
}

void TMainForm::FormKeyDown(int key, platform::ShiftState) {
    if (key == platform::Keys::Escape && categoryWindow_) categoryWindow_->hideWindow();
}

void TMainForm::FormMouseMove(const platform::MouseEvent& event) {
    dragHelper_.mouseMove(event.pos.x, event.pos.y, event.shift.leftButton);
}

void TMainForm::FormMouseUp(const platform::MouseEvent& event) {
    dragHelper_.mouseUp(event.pos.x, event.pos.y);
}

// Windows is ending the session: close in an orderly way once this message is answered.
bool TMainForm::FormQueryEndSession() {
    postClose();
    return true;
}

void TMainForm::dragMove(int, int) {
    followPointerSideways(dragHelper_.startX);
    if (categoryWindow_) categoryWindow_->followMainWindow();
}

// The button mirrors the category window, which presses and releases it when it shows and hides.
void TMainForm::MainButtonClick() {
    if (!categoryWindow_) return;
    if (categoryWindow_->isShown())
        categoryWindow_->hideWindow();
    else
        categoryWindow_->showWindow();
}

void TMainForm::MouseCheckerTimer() {
    if (pointerOver(bounds(), platform::cursorPos()))
        animater_.direction = MainFormAnimater::Showing;
    else if (!categoryWindowShown())
        animater_.direction = MainFormAnimater::Hiding;
    watchPointer();
}

void TMainForm::FormAnimaterTimer() {
    animater_.step();
    watchPointer();
}

// The hidden bar learns from the system that the pointer touched its strip, and asks to be told
// when the pointer leaves the window.
void TMainForm::FormMouseOver() {
    leaveTracked_ = true;
    trackMouseLeave();
    MouseCheckerTimer();
}

void TMainForm::FormMouseLeave() {
    leaveTracked_ = false;
    MouseCheckerTimer();
}

// Nothing runs while nothing can change. The slide runs while the bar is on its way. The pointer
// is looked at while the bar moves, and while it is down for the pointer alone until the system
// has undertaken to say that the pointer left the window (edges count as over the bar, so a
// pointer on the row or column just past them is looked at). Hidden, or held down by the open
// category window, the bar waits for the pointer's move onto it or for the category window to
// hide.
void TMainForm::watchPointer() {
    const bool sliding = animater_.sliding();
    formAnimater_.setEnabled(sliding);
    const bool heldByPointer =
        animater_.direction == MainFormAnimater::Showing && !categoryWindowShown();
    mouseChecker_.setEnabled(sliding || (heldByPointer && !leaveTracked_));
}

// Pushed off on a narrow screen, the bar comes back only once the screen is wide enough again;
// restoring it at once would make it flicker on and off with every change.
void TMainForm::checkScreenSize() {
    const int screen = platform::screenWidth();
    const bool offScreen = left() + width() < 0;
    if (screen < kMinimumScreenWidth) {
        if (!offScreen) setLeft(left() - kOffScreenShift);
        return;
    }
    if (!offScreen) return;
    const int restored = left() + kOffScreenShift;
    setLeft(restored < 0 || restored + width() > screen ? 0 : restored);
}
