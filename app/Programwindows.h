#pragma once
// The program's windows, made hidden and wired to one another: the bar, the category window
// below it with its name dialog, the command window beside it, the settings dialog, the about
// box and the monthly notice. Start-up runs them; the window tests start from the same set.

#include <memory>
#include <string>

class BarManager;
class Language;
class Program;
class TAboutForm;
class TBarForm;
class TBarNameForm;
class TCommandForm;
class TKestrumTipForm;
class TMainForm;
class TSettingsForm;

struct ProgramWindows {
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Makes every window over `manager`, whose icon loader then tells the category window of
    // each entry's arriving icons. `program` and `manager` must outlive the windows.
    void open(Program& program, BarManager& manager, const Language& language,
              const std::string& settingsFileName);

    // Destroyed from the last: a dialog before the window it belongs to.
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TBarForm> barForm;
    std::unique_ptr<TBarNameForm> barNameForm;
    std::unique_ptr<TCommandForm> commandForm;
    std::unique_ptr<TAboutForm> aboutForm;
    std::unique_ptr<TKestrumTipForm> tipForm;
    std::unique_ptr<TSettingsForm> settingsForm;

private:
    BarManager* manager_ = nullptr;
};
