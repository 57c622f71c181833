#include "app/Programwindows.h"

#include "barwindow/Formabout.h"
#include "barwindow/Formbar.h"
#include "barwindow/Formbarname.h"
#include "barwindow/Formtip.h"
#include "command/Formcommand.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "manager/Formsettings.h"
#include "windows/Program.h"

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    if (manager_) manager_->iconLoader().onIconsLoaded = nullptr;
}

void ProgramWindows::open(Program& program, BarManager& manager, const Language& language,
                          const std::string& settingsFileName) {
    manager_ = &manager;
    mainForm = platform::createForm<TMainForm>(settingsFileName, &language);
    mainForm->setProgram(&program);
    barForm = platform::createForm<TBarForm>(manager, language);
    mainForm->setCategoryWindow(barForm.get());
    barForm->setMainWindow(mainForm.get());
    barForm->onCheckVersion = [&program] { program.openHomePage(); };
    barNameForm = platform::createForm<TBarNameForm>(*barForm, language);
    barForm->setNameDialog(barNameForm.get());
    commandForm = platform::createForm<TCommandForm>(manager, *barForm);
    mainForm->setCommandWindow(commandForm.get());
    aboutForm = platform::createForm<TAboutForm>(program);
    tipForm = platform::createForm<TKestrumTipForm>(program);
    mainForm->onAbout = [this] { aboutForm->show(); };
    mainForm->onNewCategory = [this] { barForm->MenuItemNewCategoryClick(); };
    mainForm->onShown = [this] { tipForm->Show(); };
    settingsForm = platform::createForm<TSettingsForm>(manager, program, *barForm, *mainForm);
    barForm->setSettingsDialog(settingsForm.get());
    settingsForm->setCommandWindow(commandForm.get());
    mainForm->onGlobalSettings = [this] { settingsForm->showModal(); };
    // The bar is there at once; the icons follow between messages.
    manager.iconLoader().onIconsLoaded = [this](IconArea& entry) { barForm->iconsArrived(entry); };
}
