// Builds a data folder of 50 categories with 40 shortcuts each (2,000 entries) and prints the time
// to construct the category manager (what the bar waits for) and to lay it out, then the idle
// loading of every target and icon in slices, against the bare shell work for the same shortcuts
// (one resolve and two icon calls per entry) and the INI reads, each timed on its own.
// manager_bench FOLDER builds the data in FOLDER (which must not exist) and keeps it there, a data
// folder to start Kestrum.exe on; for --spread see buildSpreadDataFolder.
#include "manager/Barmanager.h"
#include "manager/Iconloader.h"
#include "platform/Canvas.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "store/Wintools.h"

#include "bench/Benchfolder.h"
#include "bench/Benchtools.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
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

std::vector<std::string> allLinkPaths(const std::string& data) {
    std::vector<std::string> paths;
    for (int c = 0; c < kCategories; ++c)
        for (int i = 0; i < kLinksPerCategory; ++i)
            paths.push_back(data + categoryName(c) + "\\" + linkName(i));
    return paths;
}

// The INI reads a load makes, one snapshot per file: the category list, each category's list and
// titles, its settings.
void readEveryIniValue(const std::string& data) {
    const platform::IniSnapshot list(data + "config.txt");
    list.valueExists("Bar", "Count");
    const int count = list.readInteger("Bar", "Count", -1);
    for (int c = 0; c < count; ++c) {
        const std::string folder = data + list.readString("Bar", std::to_string(c), "");
        const platform::IniSnapshot links(folder + "\\config.txt");
        links.valueExists("Link", "Count");
        const int entries = links.readInteger("Link", "Count", -1);
        for (int i = 0; i < entries; ++i) {
            links.readString("Link", std::to_string(i), "");
            links.readString("Titles", std::to_string(i), "");
        }
        const platform::IniSnapshot settings(folder + "\\settings.txt");
        for (const char* key : {"Color", "Style", "UseImage", "UseOwnFont"})
            settings.readInteger("Background", key, 0);
    }
}

// The shortcuts point at a few different programs, so that the shell's caches do not answer
// every question after the first.
std::vector<std::string> shortcutTargets(const std::string& root) {
#ifdef _WIN32
    (void)root;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::vector<std::string> targets;
    for (const char* program :
         {"notepad.exe", "regedit.exe", "cmd.exe", "winecfg.exe", "taskmgr.exe"})
        targets.push_back(std::string(system) + "\\" + program);
    return targets;
#else
    const std::string target = root + "\\target.exe";
    platform::replaceFile(target, "program");
    return {target};
#endif
}

// The icon work of a program that asks the shell the plain way: the small and the large icon,
// each handed out as an icon of the caller's own, which it then gives back.
void askForBothIcons(const std::string& path) {
#ifdef _WIN32
    for (const UINT size : {UINT(SHGFI_SMALLICON), UINT(SHGFI_LARGEICON)}) {
        SHFILEINFOA info{};
        if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | size) && info.hIcon)
            DestroyIcon(info.hIcon);
    }
#else
    platform::shellIconOf(path);
    platform::shellIconOf(path);
#endif
}

struct IdleLoad {
    double total = 0; // the slices' time: what the message loop spent
    double longestSlice = 0;
    int slices = 0;
    double untilLoaded = 0; // from the first slice to the last answer, the reader's time included
};

// Runs the loader's slices back to back, as the message loop does when no message waits.
IdleLoad loadInSlices(IconLoader& loader) {
    IdleLoad load;
    load.untilLoaded = bench::millisecondsFor([&] {
        bench::loadEveryEntry(loader, [&] {
            bool more = false;
            const double slice = bench::millisecondsFor([&] { more = loader.runSlice(); });
            load.total += slice;
            load.longestSlice = std::max(load.longestSlice, slice);
            ++load.slices;
            return more;
        });
    });
    return load;
}

// manager_bench --spread N P FOLDER PROGRAMS: only builds the data folder FOLDER of 50 categories
// with N shortcuts each, spread over P copies of a program kept in PROGRAMS, so that each copy is
// a picture of its own. The memory a start of Kestrum.exe there takes shows what an entry costs
// beyond its picture (N against N, same P) and what a picture costs (P against P, same N).
int buildSpreadDataFolder(int entriesPerCategory, int programs, const std::string& folder,
                          const std::string& programFolder) {
    const auto targets = bench::programCopies(programFolder, programs);
    platform::createFolder(folder);
    bench::buildDataFolder(folder + "\\", kCategories, entriesPerCategory,
                           bench::shortcutsTo(targets, entriesPerCategory));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    platform::OleSession ole;
    if (argc == 6 && std::string(argv[1]) == "--spread")
        return buildSpreadDataFolder(std::atoi(argv[2]), std::atoi(argv[3]), argv[4], argv[5]);
    const std::string root = bench::scratchFolder("kestrum-manager-bench");
    removeTree(root);
    platform::createFolder(root);
    const bool keepData = argc > 1;
    const std::string dataFolder = keepData ? std::string(argv[1]) : root + "\\data";
    const std::string data = dataFolder + "\\";
    platform::createFolder(dataFolder);
    const auto targetsOfShortcuts = shortcutTargets(root);
    // Titles stored, as for a user who has arranged the categories.
    const auto title = [](int, int i) { return "Program number " + std::to_string(i); };
    const double build = bench::millisecondsFor([&] {
        bench::buildDataFolder(data, kCategories, kLinksPerCategory,
                               bench::shortcutsTo(targetsOfShortcuts, kLinksPerCategory), title);
    });

    std::unique_ptr<BarManager> manager;
    const double load =
        bench::millisecondsFor([&] { manager = std::make_unique<BarManager>(data); });
    platform::Bitmap measuring(1, 1);
    const layout::TextMeasurer measure = layout::measuringOn(measuring.canvas());
    const auto layOut = [&] { layout::layOut(manager->bars, manager->appearance(), measure, {1, 2}); };
    const double layout = bench::millisecondsFor(layOut);
    manager->showIconTitle = true;
    const double layoutWithTitles = bench::millisecondsFor(layOut);
    const IdleLoad idle = loadInSlices(manager->iconLoader());

    const auto links = allLinkPaths(data);
    const double ini = bench::millisecondsFor([&] { readEveryIniValue(data); });
    std::vector<std::string> targets;
    const double resolve = bench::millisecondsFor([&] {
        for (const auto& link : links)
            targets.push_back(ResolveShortcut(link));
    });
    const double shellIcons = bench::millisecondsFor([&] {
        for (const auto& path : targets)
            askForBothIcons(path);
    });

    std::printf("%d categories x %d shortcuts (building the folder took %.0f ms)\n", kCategories,
                kLinksPerCategory, build);
    const double bare = resolve + shellIcons;
    std::printf("%-40s %10.1f ms\n", "construct the manager (before the bar)", load);
    std::printf("  %-38s %10.1f ms\n", "INI reads alone", ini);
    std::printf("%-40s %10.1f ms\n", "layout, no titles", layout);
    std::printf("%-40s %10.1f ms\n", "layout, titles measured", layoutWithTitles);
    std::printf("%-40s %10.1f ms  in %d slices, longest %.1f ms\n",
                "idle loading of every target and icon", idle.total, idle.slices,
                idle.longestSlice);
    std::printf("  %-38s %10.1f ms\n", "until every entry was loaded", idle.untilLoaded);
    std::printf("%-40s %10.1f ms  (resolve %.1f + two SHGFI_ICON %.1f)\n",
                "bare shell work, same shortcuts", bare, resolve, shellIcons);
    std::printf("%-40s %10.2f x   (goal under 0.7)\n", "idle loading / bare shell work",
                idle.total / bare);

    manager.reset();
    removeTree(root);
    return 0;
}
