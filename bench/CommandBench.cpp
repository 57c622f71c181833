// The command window over 10,000 icon entries (100 categories of 100): prints what one keystroke
// costs, from the changed text to the list filtered and drawn, and what showing the window
// costs, which reads every title anew. Under Wine the window is real and needs a display.
#include "command/Formcommand.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Process.h"
#include "store/Wintools.h"

#include "bench/Benchfolder.h"
#include "bench/Benchtools.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kCategories = 100;
constexpr int kLinksPerCategory = 100;
constexpr int kShows = 20;

// Titles of two to four syllables, spread over the alphabet as real program names are. In four
// of five the last syllable is a word of its own after a blank, '-', '_' or '.', so that what is
// typed begins titles, begins later words and lies inside words, and fills every group of rows.
std::string titleOf(int index) {
    static const char* const syllables[] = {"ka", "lo", "mi", "ne", "po", "ru", "sa", "te",
                                            "vi", "bo", "de", "fu", "ga", "hi", "jo", "wu"};
    static const std::string wordBreaks = " -_.";
    const int syllableCount = 2 + index % 3;
    const auto wordBreak = static_cast<std::size_t>(index % 5);
    std::string title;
    unsigned mix = static_cast<unsigned>(index) * 2654435761u;
    for (int s = 0; s < syllableCount; ++s, mix /= 16) {
        if (s == syllableCount - 1 && wordBreak < wordBreaks.size()) title += wordBreaks[wordBreak];
        title += syllables[mix % 16];
    }
    title[0] = static_cast<char>(title[0] - 'a' + 'A');
    return title + " " + std::to_string(index);
}

} // namespace

int main() {
    platform::OleSession ole;
    const std::string root = bench::scratchFolder("kestrum-command-bench");
    if (platform::folderExists(root)) DeleteFolderTree(root);
    platform::createFolder(root);
    const std::string data = root + "\\data\\";
    platform::createFolder(root + "\\data");
    bench::buildDataFolder(data, kCategories, kLinksPerCategory,
                           [](const std::string& folder, int c, int i) {
                               const std::string link = titleOf(c * kLinksPerCategory + i) + ".lnk";
                               platform::replaceFile(folder + "\\" + link, "");
                               return link;
                           });
    {
        BarManager manager(data);
        platform::Form categoryWindow;
        categoryWindow.setBounds({0, 0, 300, 200});
        const auto form = platform::createForm<TCommandForm>(manager, categoryWindow);

        double show = 0;
        for (int i = 0; i < kShows; ++i) {
            form->hide();
            bench::finishDrawing();
            show += bench::millisecondsFor([&] {
                form->showCommand();
                bench::finishDrawing();
            });
        }
        // Typing three titles' beginnings letter by letter, then taking them back again; the
        // list goes from every title to a few and back.
        std::vector<std::string> texts;
        for (const std::string word : {"mira", "te", "bode"}) {
            for (std::size_t n = 1; n <= word.size(); ++n)
                texts.push_back(word.substr(0, n));
            for (std::size_t n = word.size(); n-- > 0;)
                texts.push_back(word.substr(0, n));
        }
        double typing = 0;
        double slowest = -1;
        std::string slowestText;
        std::size_t slowestRows = 0;
        for (const std::string& text : texts) {
            const double ms = bench::millisecondsFor([&] {
                form->CommandEdit.setText(text);
                bench::finishDrawing();
            });
            typing += ms;
            if (ms > slowest) {
                slowest = ms;
                slowestText = text;
                slowestRows = form->rows().size();
            }
        }
        std::printf("command window, %d titles\n", kCategories * kLinksPerCategory);
        std::printf("%-48s %9.3f ms  (goal: under 20 ms)\n", "showing: every title read and listed",
                    show / kShows);
        std::printf("%-48s %9.3f ms  (goal: under 2 ms)\n", "keystroke: list filtered and drawn",
                    typing / static_cast<double>(texts.size()));
        std::printf("%-48s %9.3f ms  (\"%s\", %zu rows)\n", "slowest keystroke", slowest,
                    slowestText.c_str(), slowestRows);
        form->hide();
    }
    DeleteFolderTree(root);
    return 0;
}
