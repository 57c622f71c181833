// The category window over 50 categories, the first of 10,000 shortcuts and each other of 40,
// spread over 200 programs of their own pictures: prints the longest time the message loop is
// kept from its messages while that folder loads with the window open (each idle slice of the
// loader, which draws the cells whose icons arrived), while the window is shown and drawn (the
// first time, which makes the window's surface, and again once every icon is loaded), and
// while it scrolls (every wheel notch from the first row to the last, Page Down and Page Up) and
// the pointer moves between the first two icons of the large row; then the longest of them all.
// Beside the first showing, what the system takes to show an empty window of the same size.
// Building the category manager, which the bar waits for, is printed apart: the message loop does
// not run yet. Under Wine the window is real and needs a display.
#include "barwindow/Formbar.h"
#include "manager/Barmanager.h"
#include "manager/Iconloader.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Language.h"
#include "store/Wintools.h"

#include "bench/Benchfolder.h"
#include "bench/Benchtools.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kCategories = 50;
constexpr int kLargeCategory = 10000;
constexpr int kOtherCategories = 40;
constexpr int kPrograms = 200;

// The longest and the count of what was timed.
struct Longest {
    double ms = 0;
    int count = 0;
    template <typename Work> void time(Work&& work) {
        ms = std::max(ms, bench::millisecondsFor([&] {
                          work();
                          bench::finishDrawing();
                      }));
        ++count;
    }
};

platform::MouseEvent pointerAt(platform::Point at) {
    return {at, platform::MouseButton::Left, {}};
}

void pressKey(TBarForm& form, int key) {
    platform::FormEvents::keyDown(form, nullptr, key, {});
}

// A window of the same size with nothing of ours in it, shown and filled white, the first time
// and again: what the system itself takes, the floor under the category window's showings.
// Under Wine without a window manager, a large window's pixels go to the X server when shown.
struct SystemShowing {
    double first = 0;
    double again = 0;
};

SystemShowing emptyWindowShown(int width, int height) {
    SystemShowing times;
#ifdef _WIN32
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"KestrumBenchEmpty";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP,
                        0, 0, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    const auto shown = [&] {
        return bench::millisecondsFor([&] {
            ShowWindow(window, SW_SHOWNOACTIVATE);
            bench::finishDrawing();
        });
    };
    times.first = shown();
    ShowWindow(window, SW_HIDE);
    bench::finishDrawing();
    times.again = shown();
    DestroyWindow(window);
    bench::finishDrawing();
#else
    (void)width;
    (void)height;
#endif
    return times;
}

} // namespace

int main() {
    platform::OleSession ole;
    const std::string root = bench::scratchFolder("kestrum-responsive-bench");
    if (platform::folderExists(root)) DeleteFolderTree(root);
    platform::createFolder(root);
    const auto programs = bench::programCopies(root + "\\programs", kPrograms);
    const std::string data = root + "\\data\\";
    platform::createFolder(root + "\\data");
    bench::buildDataFolder(
        data, kCategories, [](int c) { return c == 0 ? kLargeCategory : kOtherCategories; },
        bench::shortcutsTo(programs, kOtherCategories));

    std::unique_ptr<BarManager> manager;
    const double built =
        bench::millisecondsFor([&] { manager = std::make_unique<BarManager>(data); });
    const Language language(root + "\\none.lang");
    auto form = platform::createForm<TBarForm>(*manager, language);
    manager->iconLoader().onIconsLoaded = [&form](IconArea& entry) { form->iconsArrived(entry); };
    form->setBounds({0, 0, form->width(), form->height()});

    Longest shown, loading, shownAgain, wheel, pages, hover;
    shown.time([&] { form->show(); });
    bench::loadEveryEntry(manager->iconLoader(), [&] {
        bool more = false;
        loading.time([&] { more = manager->iconLoader().runSlice(); });
        return more;
    });
    form->hide();
    bench::finishDrawing();
    shownAgain.time([&] { form->show(); });

    const platform::Point inView{form->width() / 2, form->height() / 2};
    const auto scrolledTo = [&] { return form->scrollTop(); };
    for (int before = -1; before != scrolledTo();) {
        before = scrolledTo();
        wheel.time([&] { platform::FormEvents::mouseWheel(*form, pointerAt(inView), -120); });
    }
    for (const int key : {platform::Keys::PageUp, platform::Keys::PageDown, platform::Keys::PageUp})
        for (int before = -1; before != scrolledTo();) {
            before = scrolledTo();
            pages.time([&] { pressKey(*form, key); });
        }
    Bar& large = *manager->barAt(0);
    const platform::Rect a = form->rows().cellOnWindow(large.GetLink(0));
    const platform::Rect b = form->rows().cellOnWindow(large.GetLink(1));
    for (int i = 0; i < 200; ++i) {
        const platform::Rect& cell = i % 2 ? a : b;
        hover.time([&] {
            platform::FormEvents::mouseMove(
                *form, pointerAt({cell.left + cell.width / 2, cell.top + cell.height / 2}));
        });
    }
    form->hide();
    bench::finishDrawing();
    const SystemShowing system = emptyWindowShown(form->width(), form->height());

    std::printf("category window, 1 x %d + %d x %d icons over %d pictures, window %d x %d\n",
                kLargeCategory, kCategories - 1, kOtherCategories, kPrograms, form->width(),
                form->height());
    std::printf("%-46s %9.1f ms  (before the message loop)\n", "category manager built", built);
    std::printf("%-46s %9.1f ms\n", "window shown and drawn", shown.ms);
    std::printf("  %-44s %9.1f ms  (shown again %.1f ms)\n", "the same size, empty, the system's",
                system.first, system.again);
    std::printf("%-46s %9.1f ms  of %d\n", "loading with the window open, longest slice",
                loading.ms, loading.count);
    std::printf("%-46s %9.1f ms\n", "shown again, every icon loaded", shownAgain.ms);
    std::printf("%-46s %9.1f ms  of %d\n", "wheel to the last row, longest notch", wheel.ms,
                wheel.count);
    std::printf("%-46s %9.1f ms  of %d\n", "Page Up and Page Down, longest", pages.ms, pages.count);
    std::printf("%-46s %9.3f ms  of %d\n", "hover change in the large row, longest", hover.ms,
                hover.count);
    const double longest =
        std::max({shown.ms, loading.ms, shownAgain.ms, wheel.ms, pages.ms, hover.ms});
    std::printf("%-46s %9.1f ms\n", "longest UI slice, 10,000 icons and 50 categories", longest);
    manager->iconLoader().onIconsLoaded = nullptr;
    form.reset(); // it watches the manager
    manager.reset();
    DeleteFolderTree(root);
    return 0;
}
