"""Prints the benchmark table from the figures the benchmarks printed into FOLDER (one file per
benchmark and system, as scripts/bench.sh writes them): each figure natively and under Wine,
beside the limit it is held to.

usage: table.py FOLDER
"""
import os
import re
import sys

FOLDER = sys.argv[1]


def figure(file, label):
    """The first number printed after `label` in FOLDER/file, or None when the file or line is
    missing."""
    path = os.path.join(FOLDER, file)
    if not os.path.exists(path):
        return None
    with open(path) as text:
        found = re.search(re.escape(label) + r"[^0-9]*([0-9.]+)", text.read())
    return float(found.group(1)) if found else None


def shown(value, unit, digits=2):
    return "-" if value is None else f"{value:.{digits}f} {unit}"


def verdict(value, limit, at_least=False):
    if limit is None:
        return ""
    if value is None:
        return "-"
    return "met" if (value >= limit if at_least else value < limit) else "MISSED"


rows = []


def row(what, native, wine, unit, limit, digits=2, judged=None, at_least=False):
    """`judged` is the figure held to `limit` (the Wine one unless said otherwise), which it must
    stay under, or reach when `at_least`; a row without a limit is there for comparison."""
    judged = wine if judged is None else judged
    bound = "" if limit is None else f"{'at least' if at_least else 'under'} {limit:g} {unit}"
    rows.append((what, shown(native, unit, digits), shown(wine, unit, digits), bound,
                 verdict(judged, limit, at_least)))


row("start-up to the bar on screen, 2,000 shortcuts", None,
    figure("wine-figures.txt", "start-up to the bar, 2,000 shortcuts:"), "ms", 300, 0)
row("  the same in an empty folder (Wine's own start)", None,
    figure("wine-figures.txt", "start-up to the bar, empty folder:"), "ms", None, 0)
row("  category manager built (what the bar waits for)",
    figure("native-manager.txt", "construct the manager"),
    figure("wine-manager.txt", "construct the manager"), "ms", None, 1)
row("every icon loaded / bare shell work, 2,000 shortcuts", None,
    figure("wine-manager.txt", "idle loading / bare shell work"), "x", 0.7)
row("  longest idle slice while loading", None,
    figure("wine-manager.txt", "slices, longest"), "ms", 50, 1)
row("longest UI slice, 10,000 icons in one of 50 categories",
    figure("native-responsive.txt", "longest UI slice"),
    figure("wine-responsive.txt", "longest UI slice"), "ms", 50, 1)
row("  loading with the window open, longest slice",
    figure("native-responsive.txt", "loading with the window open, longest slice"),
    figure("wine-responsive.txt", "loading with the window open, longest slice"), "ms", None, 1)
row("  window shown and drawn, the first time",
    figure("native-responsive.txt", "window shown and drawn"),
    figure("wine-responsive.txt", "window shown and drawn"), "ms", None, 1)
row("    the same size, empty: the system's own",
    figure("native-responsive.txt", "the same size, empty, the system's"),
    figure("wine-responsive.txt", "the same size, empty, the system's"), "ms", None, 1)
row("  shown again, every icon loaded",
    figure("native-responsive.txt", "shown again, every icon loaded"),
    figure("wine-responsive.txt", "shown again, every icon loaded"), "ms", None, 1)
row("  Page Up and Page Down, longest",
    figure("native-responsive.txt", "Page Up and Page Down, longest"),
    figure("wine-responsive.txt", "Page Up and Page Down, longest"), "ms", None, 1)
row("  wheel to the last row, longest notch",
    figure("native-responsive.txt", "wheel to the last row, longest notch"),
    figure("wine-responsive.txt", "wheel to the last row, longest notch"), "ms", None, 1)
row("  category manager built (before the message loop)",
    figure("native-responsive.txt", "category manager built"),
    figure("wine-responsive.txt", "category manager built"), "ms", None, 1)
row("first painting of the window, 2,000 icons in",
    figure("native-hover.txt", "first painting of the whole window"),
    figure("wine-hover.txt", "first painting of the whole window"), "ms", 60, 1)
row("  the same with 200 distinct icons",
    figure("native-hover.txt", "first painting, 200 distinct icons"),
    figure("wine-hover.txt", "first painting, 200 distinct icons"), "ms", 60, 1)
row("  200 distinct icons against one picture",
    figure("native-hover.txt", "first painting, 200 distinct / one picture"),
    figure("wine-hover.txt", "first painting, 200 distinct / one picture"), "x", 1.5)
row("hover change at 2,000 icons (two cells)",
    figure("native-hover.txt", "hover change: the two cells repainted"),
    figure("wine-hover.txt", "hover change: the two cells repainted"), "ms", 1, 3)
row("  against a full recomposition",
    figure("native-hover.txt", "full recomposition, all copied"),
    figure("wine-hover.txt", "full recomposition, all copied"), "ms", None, 1)
row("keystroke in the command window, 10,000 titles",
    figure("native-command.txt", "keystroke: list filtered"),
    figure("wine-command.txt", "keystroke: list filtered"), "ms", 2, 3)
row("  lists rebuilt on show, 10,000 entries",
    figure("native-command.txt", "showing: every title"),
    figure("wine-command.txt", "showing: every title"), "ms", 20, 2)
row("ranking table: first row right (259 texts, real names)",
    figure("native-ranking.txt", "ranking table: first row right"),
    figure("wine-ranking.txt", "ranking table: first row right"), "%", 97, 1, at_least=True)
row("keystroke to list drawn, 10,000 icons + 2,000 Start menu, p99",
    figure("native-ranking.txt", "keystroke to list drawn, p99"),
    figure("wine-ranking.txt", "keystroke to list drawn, p99"), "ms", 8, 2)
row("  of which the ranking of every title, p99",
    figure("native-ranking.txt", "of which the ranking of every title, p99"),
    figure("wine-ranking.txt", "of which the ranking of every title, p99"), "ms", None, 2)
row("  the edit box alone, nothing filtered, p99",
    figure("native-ranking.txt", "the edit box alone, nothing filtered, p99"),
    figure("wine-ranking.txt", "the edit box alone, nothing filtered, p99"), "ms", None, 2)
row("Ctrl+J to the command window drawn, warm, median",
    figure("native-ranking.txt", "Ctrl+J: window shown and drawn, median"),
    figure("wine-ranking.txt", "Ctrl+J: window shown and drawn, median"), "ms", 100, 1)
row("Start menu of 2,000 shortcuts in the command window, memory",
    figure("native-ranking.txt", "Start menu of 2,000 shortcuts, memory"),
    figure("wine-ranking.txt", "Start menu of 2,000 shortcuts, memory"), "MB", 2, 2)
row("memory with 2,000 icons above an empty window", None,
    figure("wine-figures.txt", "memory above the empty window:"), "MB", 12, 1)
row("  above the same program in an empty folder", None,
    figure("wine-figures.txt", "memory above the same in an empty folder:"), "MB", 2, 1)
row("  the same over 200 distinct pictures, above an empty folder", None,
    figure("wine-figures.txt", "memory of 200 distinct pictures, 2,000 shortcuts, above an empty folder:"), "MB", 12, 1)
row("  the same, window open and drawn", None,
    figure("wine-figures.txt", "window open, 200 distinct pictures above an empty folder:"), "MB", 12, 1)
row("    of which the system keeps for a window that large", None,
    figure("wine-window-memory.txt", "what the system keeps for a window of that size:"), "MB", None, 1)
row("  each distinct picture, window open (1 -> 200)", None,
    figure("wine-figures.txt", "window open, each distinct picture (1 -> 200):"), "KB", 40, 1)
row("  per entry beyond its picture (500 -> 2,000, 200 icons)", None,
    figure("wine-figures.txt", "memory per entry beyond its picture:"), "bytes", 1024, 0)
row("idle 20 s, bar hidden: wake-ups above an empty window", None,
    figure("wine-figures.txt", "idle wake-ups above the empty window, bar hidden:"), "/s", 1, 1)
row("  processor above an empty window", None,
    figure("wine-figures.txt", "idle processor above the empty window, bar hidden:"), "ms", 20, 0)
row("idle 20 s, window open: wake-ups above an empty window", None,
    figure("wine-figures.txt", "idle wake-ups above the empty window, window open:"), "/s", 1, 1)
row("  processor above an empty window", None,
    figure("wine-figures.txt", "idle processor above the empty window, window open:"), "ms", 20, 0)
row("click on an icon to the window gone, start held 10 s", None,
    figure("wine-figures.txt", "click on an icon to the window gone, start held 10 s:"), "ms", 100, 0)
row("Ctrl+J to the command window shown, start held 10 s", None,
    figure("wine-figures.txt", "Ctrl+J to the command window shown, start held 10 s:"), "ms", 200, 0)
row("  with no start waiting", None,
    figure("wine-figures.txt", "Ctrl+J to the command window shown, no start waiting:"), "ms", None, 0)
row("released Kestrum.exe", None, figure("sizes.txt", "Kestrum.exe"), "KB", 1024, 0)
ours = figure("wine-ini.txt", "Kestrum INI engine")
profile = figure("wine-ini.txt", "profile functions")
row("every key of a 2,000-key section, our INI engine", figure("native-ini.txt", "Kestrum INI engine"),
    ours, "ms", profile, 2)
row("  the profile functions, same section", None, profile, "ms", None, 2)

headers = ("figure", "native", "Wine", "limit", "goal")
widths = [max(len(str(r[i])) for r in rows + [headers]) for i in range(len(headers))]
for line in [headers, tuple("-" * w for w in widths)] + rows:
    print("| " + " | ".join(str(cell).ljust(width) for cell, width in zip(line, widths)) + " |")
