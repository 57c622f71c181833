#!/usr/bin/env python3
"""Typing at full speed into the command window: the real Kestrum.exe under Wine on a virtual
display, Ctrl+J, a text typed with no delay between the keys (xdotool type --delay 0) and Enter,
again and again. Each text lists another title first than the texts typed on the way to it, so a
list that lagged behind the keys would start the wrong program. Prints how many runs started the
first row of the whole text, and what the others started, and how long a run took.

Wine does not hand its windows to a window manager here (the prefix's X11 driver is set so): with
none on the virtual display, Wine would wait up to 2 s for one at each showing and hiding of the
command window, which made three quarters of a run. Nothing the runs check depends on it: the
keyboard is given to the window by xdotool all the same.

usage: typing_bench.py --kestrum EXE --artefacts FOLDER --marker EXE --makeshortcut EXE [--runs N]
"""
import argparse
import collections
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e_support as e2e  # noqa: E402
from e2e_support import wait_for, xdotool  # noqa: E402

TITLES = ["Mail", "Maps", "Mapper Studio", "Email", "Notes", "Notepad", "Calculator", "Calendar", "Paint",
          "Paint Shop Pro"]
# The text typed, and the title it lists first; on the way, "m" and "ma" list Mail, "map" Maps,
# "no" Notepad, "cal" Calculator, "paint" Paint.
TEXTS = [("maps", "Maps"), ("mappe", "Mapper Studio"), ("email", "Email"), ("notes", "Notes"),
         ("calen", "Calendar"), ("paint s", "Paint Shop Pro"), ("mail", "Mail"), ("notep", "Notepad")]


def starts(folder):
    """{title: number of starts} of every marker that has run."""
    return {title: len(runs) for title, runs in e2e.marker_runs(folder).items()}


def command_window():
    shown = xdotool("search", "--onlyvisible", "--name", "^Command$").split()
    return shown[0] if shown else None


def main():
    runs_option = argparse.ArgumentParser(add_help=False)
    runs_option.add_argument("--runs", type=int, default=1000)
    options, rest = runs_option.parse_known_args()
    sys.argv[1:] = rest
    with e2e.session("marker", "makeshortcut"):
        e2e.wine("reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        program = e2e.Kestrum("typing", prepare=lambda folder: e2e.make_categories(folder, [
            e2e.Category("Programs", {title: e2e.marker(folder, title) for title in TITLES})]))
        try:
            wait_for(e2e.bar_position, "the bar")
            bar = e2e.bar_windows()[0][4]  # the same window as long as the program runs
            started = collections.Counter()
            wrong = collections.Counter()
            began = time.monotonic()
            for run in range(options.runs):
                typed, expected = TEXTS[run % len(TEXTS)]
                before = starts(program.folder)
                xdotool("windowfocus", bar, "key", "ctrl+j")
                xdotool("windowfocus", wait_for(command_window, "the command window"),
                        "type", "--delay", "0", typed)
                xdotool("key", "Return")
                # A record file appears before its line is written: only a line counts.
                now = wait_for(lambda: (seen := starts(program.folder)) and
                               sum(seen.values()) > sum(before.values()) and seen, f"a start for {typed}")
                title = next(t for t in now if now[t] != before.get(t, 0))
                (started if title == expected else wrong)[(typed, title)] += 1
                wait_for(lambda: command_window() is None, "the command window to close")
            right = sum(started.values())
            print(f"fast typing: {right} of {options.runs} runs started the first row of the whole text"
                  f" ({(time.monotonic() - began) / options.runs:.2f} s a run)")
            for (typed, title), count in sorted(wrong.items()):
                print(f"  \"{typed}\" started {title} {count} times")
        finally:
            program.close()


if __name__ == "__main__":
    main()
