#include "app/App.h"

#include "app/Noticeday.h"
#include "manager/Barmanager.h"
#include "platform/Inifile.h"
#include "platform/Path.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "store/Language.h"

#include <limits>
#include <memory>

Language* theLanguage = nullptr;
BarManager* theBarManager = nullptr;

namespace {

constexpr const char* kRunValueName = "Kestrum";
constexpr const char* kSection = "Kestrum";
// Far outside any real day number: the key is missing or not a number.
constexpr int kNoDay = std::numeric_limits<int>::min();

std::string withExtension(const std::string& path, const std::string& extension) {
    return std::string(platform::path::withoutExtension(path)) + extension;
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
    recordFirstRunDay();
}

std::string App::folder() const {
    return std::string(platform::path::folderOf(executablePath_));
}

std::string App::settingsFileName() const {
    return folder() + "settings.txt";
}

std::string App::helpFileName() const {
    return folder() + "help.htm";
}

// Blanks around the stored path do not stop Windows from starting the program, so they count as
// naming it; another letter case is left for setAutoRun to rewrite.
bool App::runValueNamesThisProgram(const std::optional<std::string>& value) const {
    return value && platform::trimBlanks(*value) == executablePath_;
}

void App::loadAutoRun() {
    autoRun = runValueNamesThisProgram(platform::RunKey().readString(kRunValueName));
}

void App::saveAutoRun() {
    platform::IniFile(settingsFileName()).writeBool(kSection, "AutoRun", autoRun);
}

// A folder that cannot be written to still runs the program: the day is then counted from
// today again at every start.
void App::recordFirstRunDay() {
    platform::IniFile settings(settingsFileName());
    firstRunDay = settings.readInteger(kSection, "FirstRunDay", kNoDay);
    if (firstRunDay != kNoDay) return;
    firstRunDay = noticeday::today();
    try {
        settings.writeInteger(kSection, "FirstRunDay", firstRunDay);
    } catch (const platform::IniWriteError&) {
    }
}

bool App::noticeDueToday() const {
    return noticeday::isNoticeDay(firstRunDay, noticeday::today());
}

void App::setAutoRun(bool value) {
    if (value == autoRun) return;
    autoRun = value;
    platform::RunKey runKey;
    if (!autoRun) {
        runKey.deleteValue(kRunValueName);
        return;
    }
    if (runValueNamesThisProgram(runKey.readString(kRunValueName))) return;
    if (!runKey.writeString(kRunValueName, executablePath_))
        throw platform::RegistryError(kRunValueName);
}

bool App::openDocument(const std::string& name) {
    return platform::openDocument(name);
}

void App::openHomePage() const {
    openDocument(homePage);
}
