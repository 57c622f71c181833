#pragma once
// The application object: the program's paths, its language texts and categories, and the
// start-at-log-on setting. One exists for the whole run, made before any window.

#include "platform/Process.h"

#include <string>

class Language;
class BarManager;

class App {
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
    const std::string& executablePath() const { return executablePath_; }

    void loadAutoRun(); // [Kestrum] AutoRun of the settings file, default true
    void saveAutoRun(); // throws platform::IniWriteError when the file cannot be written
    // Brings the Run value in line with `value`; does nothing, not even open the registry, when
    // `value` is the current setting. Throws platform::RegistryError when the value cannot be
    // written, with autoRun already changed.
    void setAutoRun(bool value);

    static void openDocument(const std::string& name);
    void openHomePage() const;

private:
    platform::OleSession ole_; // first in, last out: everything else may use OLE

public:
    const std::string version = "2.0";
    const std::string homePage = "https://kestrum.org/";
    bool autoRun = true;

private:
    std::string executablePath_;
};

// Process-wide references, set when the application object is made. The language and manager
// objects stay alive until the process ends, after every window is gone.
extern App* theApp;
extern Language* theLanguage;
extern BarManager* theBarManager;
