#pragma once
// The application object: the program's paths, its language texts and categories, the
// start-at-log-on setting and the day of the first run. One exists for the whole run, made before
// any window.

#include "platform/Process.h"
#include "windows/Program.h"

#include <optional>
#include <string>

class Language;
class BarManager;

class App : public Program {
public:
    // `executablePath` is the running program's full path; every file the program keeps lives
    // beside it.
    explicit App(std::string executablePath);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The executable's folder, ending with a separator.
    std::string folder() const;
    // folder() + "settings.txt"
    std::string settingsFileName() const;
    // folder() + "help.htm": the page is looked for beside the executable, since a program
    // started with Windows runs in another folder.
    std::string helpFileName() const;
    const std::string& executablePath() const { return executablePath_; }

    // Whether the program starts with Windows is what the Run value says, not the settings
    // file: autoRun is true exactly when the value names this executable. The file's key may
    // claim otherwise (a fresh file reads as true while the registry holds nothing).
    void loadAutoRun();
    // Writes [Kestrum] AutoRun; throws platform::IniWriteError when the file cannot be written.
    void saveAutoRun();
    // Brings the Run value in line with `value`; does nothing, not even open the registry, when
    // `value` is the current setting, which loadAutoRun read from the registry itself. Throws
    // platform::RegistryError when the value cannot be written, with autoRun already changed.
    void setAutoRun(bool value);

    // Whether the version-check notice is due today (see noticeday::isNoticeDay).
    bool noticeDueToday() const override;

    // False when the shell could not open `name`.
    static bool openDocument(const std::string& name);
    void openHomePage() const override;
    bool openHelp() const override { return openDocument(helpFileName()); }
    std::string versionText() const override { return version; }
    std::string homePageAddress() const override { return homePage; }
    bool startsWithWindows() const override { return autoRun; }
    void setStartsWithWindows(bool value) override {
        setAutoRun(value);
        saveAutoRun();
    }

private:
    platform::OleSession ole_; // first in, last out: everything else may use OLE

public:
    const std::string version = "2.0";
    const std::string homePage = "https://kestrum.org/";
    bool autoRun = true;
    // The day number (noticeday::dayNumber) of the program's first run in this folder, kept as
    // [Kestrum] FirstRunDay of the settings file from that run on.
    int firstRunDay = 0;

private:
    bool runValueNamesThisProgram(const std::optional<std::string>& value) const;
    void recordFirstRunDay();

    std::string executablePath_;
};

// Process-wide references, set when the application object is made. The language and manager
// objects stay alive until the process ends, after every window is gone.
extern Language* theLanguage;
extern BarManager* theBarManager;
