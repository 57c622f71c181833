// Start-up and shutdown: one copy of the program at a time, the application object (language
// texts, categories) before any window, the windows created hidden, then the message loop until
// the main window closes.
#include "app/App.h"
#include "app/Programwindows.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/Process.h"
#include "platform/System.h"

#include <exception>

namespace {

constexpr int kAlreadyRunning = -1;

void runProgram() {
    App app(platform::executablePath());
    ProgramWindows windows;
    windows.open(app, *theBarManager, *theLanguage, app.settingsFileName());
    theBarManager->iconLoader().start();
    platform::runMessageLoop(*windows.mainForm);
}

} // namespace

int main() {
    platform::restrictLibrarySearch();
    platform::initCommonControls();
    const platform::SingleInstance instance("Kestrum");
    if (!instance.acquired()) return kAlreadyRunning;
    try {
        runProgram();
    } catch (const std::exception& error) {
        platform::showErrorBox(error.what());
    } catch (...) {
        platform::showErrorBox("");
    }
    return 0;
}
