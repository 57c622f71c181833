#pragma once
// The application object: created before any window, it holds OLE for the whole run and knows
// where the program keeps its files.

#include "platform/System.h"

#include <string>

class App {
public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The folder that holds the executable, ending with a backslash.
    std::string folder() const;
    // The global settings file in that folder.
    std::string settingsFileName() const { return folder() + "settings.txt"; }

private:
    platform::OleSession ole_;
    std::string executablePath_;
};

// The application object while it exists.
extern App* theApp;
