#pragma once
// What the windows need of the program as a whole: its version and web page, its help page and
// whether it starts with Windows. The application object answers; a window never reaches it
// otherwise.

#include <string>

class Program {
public:
    virtual ~Program() = default;
    virtual std::string versionText() const = 0;
    virtual std::string homePageAddress() const = 0;
    virtual void openHomePage() const = 0;
    // False when the help page could not be opened.
    virtual bool openHelp() const = 0;
    // Whether the version-check notice is due today.
    virtual bool noticeDueToday() const = 0;
    virtual bool startsWithWindows() const = 0;
    // Brings the Run value and the settings file in line with `value`. Throws
    // platform::RegistryError or platform::IniWriteError when either cannot be written.
    virtual void setStartsWithWindows(bool value) = 0;
};
