// Start-up and shutdown: one copy of the program at a time, the application object (language
// texts, categories) before any window, the windows created hidden, then the message loop until
// the main window closes.
#include "app/App.h"
#include "app/Language.h"
#include "barwindow/Formabout.h"
#include "barwindow/Formbar.h"
#include "barwindow/Formbarname.h"
#include "barwindow/Formtip.h"
#include "command/Formcommand.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "manager/Formsettings.h"
#include "platform/Process.h"
#include "platform/System.h"

#include <exception>
#include <memory>

namespace {

constexpr int kAlreadyRunning = -1;

void runProgram() {
    App app(platform::executablePath());
    theApp = &app;
    const auto mainForm = platform::createForm<TMainForm>(app.settingsFileName());
    MainForm = mainForm.get();
    const auto barForm = platform::createForm<TBarForm>(*theBarManager, *theLanguage);
    BarForm = barForm.get();
    mainForm->setCategoryWindow(barForm.get());
    barForm->setMainWindow(mainForm.get());
    barForm->onCheckVersion = [&app] { app.openHomePage(); };
    const auto barNameForm = platform::createForm<TBarNameForm>(*barForm, *theLanguage);
    BarNameForm = barNameForm.get();
    barForm->setNameDialog(barNameForm.get());
    const auto commandForm = platform::createForm<TCommandForm>(*theBarManager, *barForm);
    CommandForm = commandForm.get();
    mainForm->setCommandWindow(commandForm.get());
    const auto aboutForm = platform::createForm<TAboutForm>(app);
    AboutForm = aboutForm.get();
    const auto tipForm = platform::createForm<TKestrumTipForm>(app);
    KestrumTipForm = tipForm.get();
    mainForm->onAbout = [&aboutForm] { aboutForm->show(); };
    mainForm->onNewCategory = [&barForm] { barForm->MenuItemNewCategoryClick(); };
    mainForm->onShown = [&tipForm] { tipForm->Show(); };
    const auto settingsForm =
        platform::createForm<TSettingsForm>(*theBarManager, app, *barForm, *mainForm);
    SettingsForm = settingsForm.get();
    barForm->setSettingsDialog(settingsForm.get());
    settingsForm->setCommandWindow(commandForm.get());
    mainForm->onGlobalSettings = [&settingsForm] { settingsForm->showModal(); };
    // The bar is there at once; the icons follow between messages.
    IconLoader& icons = theBarManager->iconLoader();
    icons.onIconsLoaded = [](IconArea& entry) {
        if (BarForm) BarForm->iconsArrived(entry);
    };
    icons.start();
    platform::runMessageLoop(*mainForm);
    icons.onIconsLoaded = nullptr;
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
