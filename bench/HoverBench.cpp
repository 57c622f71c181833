// The category window with 50 categories of 40 icons (2,000 entries), every icon loaded: prints
// what one hover change costs (the pointer moving from one icon to the next, which repaints the
// two cells) against one full recomposition of the window, and the first painting of the whole
// window, once with every shortcut pointing at one program and once spread over 200 programs of
// their own pictures, and how many times the first the second takes. Under Wine the window is real
// and needs a display.
#include "barwindow/Formbar.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Process.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Language.h"
#include "store/Wintools.h"

#include "bench/Benchfolder.h"
#include "bench/Benchtools.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

int kCategories = 50; // another count may be given on the command line
constexpr int kLinksPerCategory = 40;
constexpr int kHoverChanges = 2000;
constexpr int kFullRepaints = 50;
constexpr int kDistinctIcons = 200; // for the first painting with as many pictures

// Waits for what the window system has been asked to draw, so that it is part of the time.
void finishDrawing() {
#ifdef _WIN32
    GdiFlush();
#endif
}

platform::Point centreOf(const platform::Rect& cell) {
    return {cell.left + cell.width / 2, cell.top + cell.height / 2};
}

// Milliseconds per run of `work`, drawing included.
template <typename Work> double perRun(int runs, Work&& work) {
    return bench::millisecondsFor([&] {
               for (int i = 0; i < runs; ++i)
                   work(i);
               finishDrawing();
           }) /
           runs;
}

void moveTo(platform::Form& form, platform::Point at) {
    platform::FormEvents::mouseMove(form, {at, platform::MouseButton::Left, {}});
}

// A data folder `name` in `root` whose shortcuts point at `targets` in turn; ends in a separator.
std::string dataFolderFor(const std::string& root, const std::string& name,
                          const std::vector<std::string>& targets) {
    const std::string data = root + "\\" + name + "\\";
    platform::createFolder(root + "\\" + name);
    bench::buildDataFolder(data, kCategories, kLinksPerCategory,
                           bench::shortcutsTo(targets, kLinksPerCategory));
    return data;
}

// Runs `measure(manager, form, whole window)` on the category window of the data folder `data`,
// shown with every icon looked up.
template <typename Measure>
void withWindow(const std::string& root, const std::string& data, Measure&& measure) {
    BarManager manager(data);
    bench::loadEveryEntry(manager.iconLoader(), [&] { return manager.iconLoader().runSlice(); });
    const Language language(root + "\\none.lang");
    const auto form = platform::createForm<TBarForm>(manager, language);
    form->updateLayout();
    form->setBounds({0, 0, form->width(), form->height()});
    form->show();
    measure(manager, *form, platform::Rect{0, 0, form->width(), form->height()});
    form->hide();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) kCategories = std::atoi(argv[1]);
    platform::OleSession ole;
    const std::string root = bench::scratchFolder("kestrum-hover-bench");
    if (platform::folderExists(root)) DeleteFolderTree(root);
    platform::createFolder(root);

    double firstWithOnePicture = 0;
    withWindow(
        root, dataFolderFor(root, "data", bench::programCopies(root + "\\one", 1)),
        [&](BarManager& manager, TBarForm& form, const platform::Rect& whole) {
            const double first = perRun(1, [&](int) { form.repaintNow(whole); });
            firstWithOnePicture = first;
            // Two neighbours in a row near the middle of the window.
            Bar& bar = *manager.barAt(kCategories / 2);
            IconArea& left = *bar.GetLink(kLinksPerCategory / 2);
            IconArea& right = *bar.GetLink(kLinksPerCategory / 2 + 1);
            const platform::Rect cellA = form.rows().cellOnWindow(&left);
            const platform::Rect cellB = form.rows().cellOnWindow(&right);
            const platform::Point a = centreOf(cellA);
            const platform::Point b = centreOf(cellB);
            moveTo(form, a);
            const double hover = perRun(kHoverChanges, [&](int i) { moveTo(form, i % 2 ? a : b); });
            // The two cells a hover change repaints, one of them highlighted.
            const double cells = perRun(kHoverChanges, [&](int) {
                form.repaintNow(cellA);
                form.repaintNow(cellB);
            });
            const double hint = perRun(kHoverChanges, [&](int i) {
                form.showHintNow(i % 2 ? left.GetTitle() : right.GetTitle());
            });
            const double full = perRun(kFullRepaints, [&](int) { form.repaintNow(whole); });

            std::printf("category window, %d x %d icons, window %d x %d\n", kCategories,
                        kLinksPerCategory, whole.width, whole.height);
            std::printf("%-44s %9.3f ms\n", "first painting of the whole window", first);
            std::printf("%-44s %9.3f ms  (goal: under 1 ms)\n",
                        "hover change: the two cells repainted", cells);
            std::printf("%-44s %9.3f ms\n", "full recomposition, all copied to the window", full);
            std::printf("%-44s %9.1f x   (goal: at least 10 x)\n",
                        "full recomposition / hover change", full / cells);
            std::printf("%-44s %9.3f ms\n", "hint text and place changed", hint);
            std::printf("%-44s %9.3f ms\n", "pointer to the next icon (cells and hint)", hover);
        });
    withWindow(
        root,
        dataFolderFor(root, "distinct", bench::programCopies(root + "\\many", kDistinctIcons)),
        [&](BarManager&, TBarForm& form, const platform::Rect& whole) {
            const double first = perRun(1, [&](int) { form.repaintNow(whole); });
            std::printf("%-44s %9.3f ms\n", "first painting, 200 distinct icons", first);
            std::printf("%-44s %9.2f x   (goal: at most 1.5 x)\n",
                        "first painting, 200 distinct / one picture", first / firstWithOnePicture);
        });
    DeleteFolderTree(root);
    return 0;
}
