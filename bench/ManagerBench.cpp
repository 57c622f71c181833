// Builds a data folder of 50 categories with 40 shortcuts each (2,000 entries) and prints the time
// to load everything into the category manager and to lay it out. The load is then split into its
// three kinds of work by running each on its own over the same files: INI reads, shortcut
// resolution and icon loading.
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "store/Wintools.h"

#include "bench/Benchtools.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int kCategories = 50;
constexpr int kLinksPerCategory = 40;

std::string categoryName(int c) {
    return "Category " + std::to_string(c);
}
std::string linkName(int i) {
    return "Program " + std::to_string(i) + ".lnk";
}

void removeTree(const std::string& folder) {
    if (platform::folderExists(folder)) DeleteFolderTree(folder);
}

// The data folder, with stored lists and titles so that loading reads them as it would for a
// user who has arranged the categories.
void buildDataFolder(const std::string& data, const std::string& target) {
    platform::IniBatch list(data + "config.txt");
    list.writeInteger("Bar", "Count", kCategories);
    for (int c = 0; c < kCategories; ++c) {
        const std::string folder = data + categoryName(c);
        platform::createFolder(folder);
        platform::IniBatch links(folder + "\\config.txt");
        links.writeInteger("Link", "Count", kLinksPerCategory);
        for (int i = 0; i < kLinksPerCategory; ++i) {
            CreateShortcut(target, folder + "\\" + linkName(i), "");
            links.writeString("Link", std::to_string(i), linkName(i));
            links.writeString("Titles", std::to_string(i), "Program number " + std::to_string(i));
        }
        links.commit();
        list.writeString("Bar", std::to_string(c), categoryName(c));
    }
    list.commit();
}

std::vector<std::string> allLinkPaths(const std::string& data) {
    std::vector<std::string> paths;
    for (int c = 0; c < kCategories; ++c)
        for (int i = 0; i < kLinksPerCategory; ++i)
            paths.push_back(data + "\\" + categoryName(c) + "\\" + linkName(i));
    return paths;
}

// The INI reads a load makes: the category list, each category's list and titles, its settings.
void readEveryIniValue(const std::string& data) {
    const platform::IniFile list(data + "config.txt");
    list.valueExists("Bar", "Count");
    const int count = list.readInteger("Bar", "Count", -1);
    for (int c = 0; c < count; ++c) {
        const std::string folder = data + "\\" + list.readString("Bar", std::to_string(c), "");
        const platform::IniFile links(folder + "\\config.txt");
        links.valueExists("Link", "Count");
        const int entries = links.readInteger("Link", "Count", -1);
        for (int i = 0; i < entries; ++i) {
            links.readString("Link", std::to_string(i), "");
            links.readString("Titles", std::to_string(i), "");
        }
        const platform::IniFile settings(folder + "\\settings.txt");
        for (const char* key : {"Color", "Style", "UseImage", "UseOwnFont"})
            settings.readInteger("Background", key, 0);
    }
}

} // namespace

int main() {
    platform::OleSession ole;
    const std::string root = bench::scratchFolder("kestrum-manager-bench");
    removeTree(root);
    platform::createFolder(root);
    const std::string target = root + "\\target.exe";
#ifdef _WIN32
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string shortcutTarget = std::string(system) + "\\notepad.exe";
#else
    platform::replaceFile(target, "program");
    const std::string shortcutTarget = target;
#endif
    const std::string data = root + "\\data\\";
    platform::createFolder(root + "\\data");
    const double build = bench::millisecondsFor([&] { buildDataFolder(data, shortcutTarget); });

    std::unique_ptr<BarManager> manager;
    const double load =
        bench::millisecondsFor([&] { manager = std::make_unique<BarManager>(data); });
    manager->SetTop(2);
    manager->SetLeft(1);
    const double layout = bench::millisecondsFor([&] { manager->layout(); });
    manager->showIconTitle = true;
    const double layoutWithTitles = bench::millisecondsFor([&] { manager->layout(); });

    const auto links = allLinkPaths(data);
    const double ini = bench::millisecondsFor([&] { readEveryIniValue(data); });
    std::vector<std::string> targets;
    const double resolve = bench::millisecondsFor([&] {
        for (const auto& link : links)
            targets.push_back(ResolveShortcut(link));
    });
    const double icons = bench::millisecondsFor([&] {
        for (const auto& path : targets) {
            platform::shellIcon(path, platform::ShellIconSize::Small);
            platform::shellIcon(path, platform::ShellIconSize::Large);
        }
    });

    std::printf("%d categories x %d shortcuts (building the folder took %.0f ms)\n", kCategories,
                kLinksPerCategory, build);
    std::printf("%-34s %10.1f ms\n", "construct the manager (load all)", load);
    std::printf("  %-32s %10.1f ms\n", "of which INI reads", ini);
    std::printf("  %-32s %10.1f ms\n", "of which shortcut resolution", resolve);
    std::printf("  %-32s %10.1f ms\n", "of which icon loading", icons);
    std::printf("%-34s %10.1f ms\n", "layout, no titles", layout);
    std::printf("%-34s %10.1f ms\n", "layout, titles measured", layoutWithTitles);
    std::printf("(the three parts are timed apart, each over the same 2,000 entries)\n");

    manager.reset();
    removeTree(root);
    return 0;
}
