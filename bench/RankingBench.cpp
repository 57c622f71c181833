// The command window's ranking at work: the table of real program names scored group by group,
// then the window over 10,000 icon entries and a Start menu of 2,000 shortcuts, typed into letter
// by letter (each keystroke timed from the changed text to the list drawn, and its 99th
// percentile printed beside that of the same keystrokes into the edit box alone, the floor the
// window system sets), shown again and again as Ctrl+J shows it, and what the Start menu costs
// the window in memory. Under Wine the window is real and needs a display, and the Start menu is
// the prefix's own (a folder of the benchmark's is added there and removed again).
//
// usage: ranking_bench [ranking_table.txt]
#include "command/Formcommand.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Process.h"
#include "platform/Startmenu.h"
#include "platform/Utf8.h"
#include "store/Wintools.h"

#include "bench/Benchfolder.h"
#include "bench/Benchtools.h"
#include "tests/command/Rankingtable.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include "platform/headless/Headlessstartmenu.h"
#include <malloc.h>
#endif

namespace {

constexpr int kCategories = 100;
constexpr int kLinksPerCategory = 100;
constexpr int kStartMenuFolders = 20;
constexpr int kShortcutsPerFolder = 100;
constexpr int kShows = 20;
constexpr std::size_t kTypedCases = 120;

// Bytes the process's heaps hand out now.
double heapBytes() {
#ifdef _WIN32
    // Every heap of the process, the C runtime's among them, block by block.
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    double busy = 0;
    for (DWORD h = 0; h < count && h < 64; ++h) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[h]);
        while (HeapWalk(heaps[h], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += static_cast<double>(entry.cbData);
        HeapUnlock(heaps[h]);
    }
    return busy;
#else
    return static_cast<double>(mallinfo2().uordblks);
#endif
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

// Prints the share of cases right in each group and in all, and each case gone wrong.
void scoreTable(const ranking_table::Table& table) {
    std::map<std::string, std::pair<int, int>> groups; // right, all
    int right = 0;
    for (const ranking_table::Case& c : table.cases) {
        const std::string first = table.firstRow(c);
        auto& [groupRight, groupAll] = groups[c.group];
        ++groupAll;
        if (first == c.expected) {
            ++groupRight;
            ++right;
        } else {
            std::printf("  wrong: %s \"%s\" lists \"%s\" first, not \"%s\"\n", c.group.c_str(),
                        c.typed.c_str(), first.c_str(), c.expected.c_str());
        }
    }
    std::printf("ranking table, %zu titles, %zu cases\n", table.titles.size(), table.cases.size());
    for (const auto& [group, counts] : groups)
        std::printf("  %-12s %3d of %3d  %6.1f %%\n", group.c_str(), counts.first, counts.second,
                    100.0 * counts.first / counts.second);
    std::printf("%-48s %9.1f %%  (goal: at least 97 %%; whole, beginning, initials 100 %%)\n",
                "ranking table: first row right",
                100.0 * right / static_cast<double>(table.cases.size()));
}

// A title of the table, numbered so that each is distinct.
std::string numbered(const ranking_table::Table& table, int index, const char* between) {
    return table.titles[static_cast<std::size_t>(index) % table.titles.size()] + between +
           std::to_string(index);
}

// What the user types for `typed`, one character more at a time, then taken back again.
std::vector<std::string> keystrokes(const std::string& typed) {
    std::vector<std::string> texts;
    for (std::size_t at = 0; at < typed.size();) {
        platform::utf8::next(typed, at);
        texts.push_back(typed.substr(0, at));
    }
    for (std::size_t n = texts.size(); n-- > 1;)
        texts.push_back(texts[n - 1]);
    texts.push_back("");
    return texts;
}

std::string startMenuFolderOfTheBench(const std::string& root) {
#ifdef _WIN32
    (void)root;
    const platform::StartMenu menu(nullptr);
    if (menu.folders().empty()) return "";
    return menu.folders().front() + "\\Kestrum benchmark";
#else
    platform::headless::setStartMenuFolders({root + "\\startmenu"});
    return root + "\\startmenu";
#endif
}

} // namespace

int main(int argc, char** argv) {
    platform::OleSession ole;
    const auto table = ranking_table::read(argc > 1 ? argv[1] : KESTRUM_RANKING_TABLE);
    if (!table) {
        std::fprintf(stderr, "the ranking table cannot be read\n");
        return 2;
    }
    scoreTable(*table);

    const std::string root = bench::scratchFolder("kestrum-ranking-bench");
    if (platform::folderExists(root)) DeleteFolderTree(root);
    platform::createFolder(root);
    const std::string data = root + "\\data\\";
    platform::createFolder(root + "\\data");
    bench::buildDataFolder(
        data, kCategories, kLinksPerCategory, [&](const std::string& folder, int c, int i) {
            const std::string link = numbered(*table, c * kLinksPerCategory + i, " ") + ".lnk";
            platform::replaceFile(folder + "\\" + link, "");
            return link;
        });
    const std::string startMenu = startMenuFolderOfTheBench(root);
    if (startMenu.empty() ||
        (!platform::folderExists(startMenu) && !platform::createFolder(startMenu))) {
        std::fprintf(stderr, "no Start menu folder to fill\n");
        return 2;
    }
    for (int f = 0; f < kStartMenuFolders; ++f) {
        const std::string folder = startMenu + "\\Suite " + std::to_string(f);
        platform::createFolder(folder);
        for (int s = 0; s < kShortcutsPerFolder; ++s)
            platform::replaceFile(
                folder + "\\" + numbered(*table, f * kShortcutsPerFolder + s, " Suite ") + ".lnk",
                "");
    }
    // The window starts without the Start menu, so that the memory it adds can be told.
    platform::IniFile(data + "settings.txt").writeBool("Command", "StartMenu", false);
    {
        BarManager manager(data);
        platform::Form categoryWindow;
        categoryWindow.setBounds({0, 0, 300, 200});
        const auto form = platform::createForm<TCommandForm>(manager, categoryWindow);
        form->showCommand();
        bench::finishDrawing();
        form->hide();
        const double without = heapBytes();
        form->setListsStartMenu(true);
        form->showCommand();
        bench::finishDrawing();
        const double with = heapBytes();
        std::printf("command window, %d icon entries and %zu Start menu titles\n",
                    kCategories * kLinksPerCategory,
                    form->entryTitles.size() -
                        static_cast<std::size_t>(kCategories * kLinksPerCategory));
        std::printf("%-48s %9.2f MB  (goal: under 2 MB)\n", "Start menu of 2,000 shortcuts, memory",
                    (with - without) / (1024.0 * 1024.0));

        std::vector<double> shows;
        for (int i = 0; i < kShows; ++i) {
            form->hide();
            bench::finishDrawing();
            shows.push_back(bench::millisecondsFor([&] {
                form->showCommand();
                bench::finishDrawing();
            }));
        }
        std::printf("%-48s %9.3f ms  (p99 %.3f ms; goal: under 100 ms)\n",
                    "Ctrl+J: window shown and drawn, median", percentile(shows, 0.5),
                    percentile(shows, 0.99));

        std::vector<std::string> texts;
        for (std::size_t c = 0; c < kTypedCases; ++c)
            for (std::string& text :
                 keystrokes(table->cases[c * table->cases.size() / kTypedCases].typed))
                texts.push_back(std::move(text));
        // Each keystroke timed whole, and its part before the window system draws.
        std::vector<double> typing;
        std::vector<double> filtering;
        for (const std::string& text : texts) {
            double filtered = 0;
            typing.push_back(bench::millisecondsFor([&] {
                filtered = bench::millisecondsFor([&] { form->CommandEdit.setText(text); });
                bench::finishDrawing();
            }));
            filtering.push_back(filtered);
        }
        std::printf(
            "%-48s %9.3f ms  (%zu keystrokes; median %.3f ms, slowest %.3f ms; goal: under 8 ms)\n",
            "keystroke to list drawn, p99", percentile(typing, 0.99), typing.size(),
            percentile(typing, 0.5), percentile(typing, 1.0));
        std::printf("%-48s %9.3f ms  (median %.3f ms)\n",
                    "  of which text set and list filtered, p99", percentile(filtering, 0.99),
                    percentile(filtering, 0.5));
        // The floor under them: the same keystrokes into the edit box alone, which the window
        // system takes and draws with nothing filtered or drawn after them.
        const auto filter = std::move(form->CommandEdit.onChange);
        form->CommandEdit.onChange = nullptr;
        std::vector<double> editAlone;
        for (const std::string& text : texts)
            editAlone.push_back(bench::millisecondsFor([&] {
                form->CommandEdit.setText(text);
                bench::finishDrawing();
            }));
        form->CommandEdit.onChange = filter;
        std::printf("%-48s %9.3f ms  (median %.3f ms)\n", "  the edit box alone, nothing filtered, p99",
                    percentile(editAlone, 0.99), percentile(editAlone, 0.5));
        // The ranking alone, without the edit box and the list control around it.
        std::vector<const ranking::Title*> titles;
        for (const TCommandForm::TitledEntry* item : form->entryTitles)
            titles.push_back(&item->ranked);
        std::vector<double> ranking;
        for (const std::string& text : texts)
            ranking.push_back(bench::millisecondsFor(
                [&] { ranking::rank(titles, ranking::prepareQuery(text), ""); }));
        std::printf("%-48s %9.3f ms  (median %.3f ms)\n",
                    "  of which the ranking of every title, p99", percentile(ranking, 0.99),
                    percentile(ranking, 0.5));
        form->hide();
    }
    DeleteFolderTree(startMenu);
    DeleteFolderTree(root);
    return 0;
}
