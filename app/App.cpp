#include "app/App.h"

#include "app/Language.h"
#include "manager/Barmanager.h"
#include "platform/Inifile.h"
#include "platform/Registry.h"
#include "platform/Text.h"

#include <memory>

App* theApp = nullptr;
Language* theLanguage = nullptr;
BarManager* theBarManager = nullptr;

namespace {

constexpr const char* kRunValueName = "Kestrum";

std::string withExtension(const std::string& path, const std::string& extension) {
    const auto dot = path.rfind('.');
    const auto slash = path.find_last_of("\\/");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

// Kept for the whole process: windows still reach them while they are torn down.
std::unique_ptr<Language>& languageInstance() {
    static std::unique_ptr<Language> instance;
    return instance;
}

std::unique_ptr<BarManager>& barManagerInstance() {
    static std::unique_ptr<BarManager> instance;
    return instance;
}

} // namespace

App::App(std::string executablePath) : executablePath_(std::move(executablePath)) {
    languageInstance() = std::make_unique<Language>(withExtension(executablePath_, ".lang"));
    theLanguage = languageInstance().get();
    barManagerInstance() = std::make_unique<BarManager>(folder());
    theBarManager = barManagerInstance().get();
    loadAutoRun();
}

std::string App::folder() const {
    const auto slash = executablePath_.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : executablePath_.substr(0, slash + 1);
}

std::string App::settingsFileName() const {
    return folder() + "settings.txt";
}

void App::loadAutoRun() {
    autoRun = platform::IniFile(settingsFileName()).readBool("Kestrum", "AutoRun", true);
}

void App::saveAutoRun() {
    platform::IniFile(settingsFileName()).writeBool("Kestrum", "AutoRun", autoRun);
}

void App::setAutoRun(bool value) {
    if (value == autoRun) return;
    autoRun = value;
    platform::RunKey runKey;
    if (!autoRun) {
        runKey.deleteValue(kRunValueName);
        return;
    }
    const auto current = runKey.readString(kRunValueName);
    if (current && platform::trimBlanks(*current) == executablePath_) return;
    if (!runKey.writeString(kRunValueName, executablePath_))
        throw platform::RegistryError(kRunValueName);
}

void App::openDocument(const std::string& name) {
    platform::openDocument(name);
}

void App::openHomePage() const {
    openDocument(homePage);
}
