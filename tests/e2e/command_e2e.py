#!/usr/bin/env python3
"""The command window and Ctrl+J end to end: the real Kestrum.exe under Wine on a virtual X
display of its own, with shortcuts to copies of the marker program, real keys through xdotool,
and a second program (the holder) that covers the screen or takes Ctrl+J first. With --dpi 144
the window, its place and its rows are 1.5 times as large.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import bar_position, click, px, screenshot, wait_for, xdotool

# Titles are the shortcuts' names; "Email" holds "ma" only further on. "Яндекс" is there to be
# found by mistake: shown through the ANSI code page, it and "Блокнот" would both be "?"s.
CATEGORIES = [("Office", ["Email", "Notes", "Блокнот"]), ("Web", ["Maps", "Mail", "Café", "Яндекс"])]
# Each shortcut starts the marker copy named after its title, but Wine's shell-link object keeps
# a target's path only in the ANSI code page: a copy named otherwise stands in.
MARKER_NAMES = {"Блокнот": "notepad", "Яндекс": "yandex"}
COMMAND_SIZE = (px(262), px(429))
# A place given in units comes back from the window's pixels in whole units: above 96 DPI the
# windows placed from one another may lie a pixel either way.
SLACK = 0 if e2e.DPI == 96 else 1
COVER = "C81E1E"  # the holder's window
YELLOW = "FFFF00"  # the bar


def make_categories(folder, other_shortcuts=None):
    # The categories do not list their shortcuts: the program finds them in their folders.
    e2e.make_categories(folder, [
        e2e.Category(name, {title: e2e.marker(folder, MARKER_NAMES.get(title, title)) for title in titles},
                     listed=False)
        for name, titles in CATEGORIES], other_shortcuts)


def start_menu_programs():
    """The user's Programs folder of the Start menu in the tests' Wine prefix."""
    found = [path for path in glob.glob(os.path.join(e2e.PREFIX, "drive_c", "users", "*", "AppData", "Roaming",
                                                     "Microsoft", "Windows", "Start Menu", "Programs"))
             if os.sep + "Public" + os.sep not in path]
    if len(found) != 1:
        raise RuntimeError(f"no one user's Start menu in {e2e.PREFIX}: {found}")
    return found[0]


class Holder:
    """The holder program, started from a folder of its own; ready once it says whether it
    holds Ctrl+J."""

    def __init__(self, *arguments):
        self.folder = tempfile.mkdtemp(prefix="kestrum-e2e-holder-")
        exe = os.path.join(self.folder, "holder.exe")
        shutil.copy(e2e.HOLDER, exe)
        self.process = subprocess.Popen([e2e.WINE, exe, *arguments], env=e2e.wine_environment(),
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        record = exe + ".held"
        wait_for(lambda: os.path.exists(record) and os.path.getsize(record) > 0, "the holder")
        with open(record) as file:
            self.holds_key = file.read() == "1"

    def close(self):
        self.process.kill()
        self.process.wait(e2e.TIMEOUT)
        shutil.rmtree(self.folder, ignore_errors=True)


class CommandWindow(unittest.TestCase):
    def start(self, settle=True, prepare=make_categories):
        program = e2e.Kestrum(self._testMethodName, prepare=prepare)
        self.addCleanup(program.close)
        self.folder = program.folder
        if settle:
            wait_for(bar_position, "the bar to appear")
        return program

    def runs(self):
        """{title: number of starts} of every marker that has run."""
        return {title: len(starts) for title, starts in e2e.marker_runs(self.folder).items()}

    @staticmethod
    def windows():
        """(category window, command window) as far as they show; the command window's X window
        is its client area, so its place is given with the frame put back: (left, top, X id)."""
        named = xdotool("search", "--onlyvisible", "--name", "^Command$").split()
        shown = e2e.visible_windows()
        command = [w for w in shown if w[4] in named]
        category = [w for w in shown if w[1] >= 0 and w[3] > px(60) and w[4] not in named]
        if command:
            x, y, width, height, _ = command[0]
            edge = (COMMAND_SIZE[0] - width) // 2
            command = [(x - edge, y - (COMMAND_SIZE[1] - height - edge), command[0][4])]
        return (category[0] if category else None), (command[0] if command else None)

    def both_hidden(self):
        return wait_for(lambda: self.windows() == (None, None), "both windows to hide")

    def hot_key(self):
        """Presses Ctrl+J and waits for both windows. Without a window manager the keyboard then
        follows the X focus, not the foreground window, so the command window is given it."""
        xdotool("key", "ctrl+j")
        found = wait_for(lambda: None not in (shown := self.windows()) and shown, "both windows")
        xdotool("windowfocus", found[1][2])
        return found

    def test_ctrl_j_opens_both_typing_and_enter_start_the_first_match_and_they_stay_on_top(self):
        self.start()
        wait_for(e2e.bar_top_is(px(-26)), "the bar to slide up")
        cover = Holder("window")
        self.addCleanup(cover.close)
        xdotool("mousemove", 900, 700)  # over the holder's window, which is the active one
        category, command = self.hot_key()
        bar = bar_position()
        self.assertEqual(category[:2], (bar[0], bar[1] + e2e.BAR_SIZE[1]), "under the bar")
        # At its top of 105 units as long as it fits on the screen below it (not at 144 DPI).
        right_of_it = (category[0] + category[2] + px(30), min(px(105), e2e.SCREEN[1] - COMMAND_SIZE[1]))
        self.assertTrue(all(abs(a - b) <= SLACK for a, b in zip(command[:2], right_of_it)),
                        f"30 units right of it: {command[:2]}, not {right_of_it}")

        xdotool("type", "--delay", "100", " mA ")
        time.sleep(1)
        screenshot("command")  # the README's picture
        walk = e2e.accessible_walk(self.folder, (command[0] + px(130), command[1] + px(200)), states=True)
        self.assertEqual([line[:3] for line in walk[:1]], [["group", "33", ""]], "one list object for the rows")
        rows = walk[1:-1]
        self.assertEqual([row[:3] + row[6:] for row in rows],
                         [["item", "34", "Mail", "focused selected"], ["item", "34", "Maps", ""],
                          ["item", "34", "Email", ""]],
                         "the list's rows as its list items by their titles, the first selected, for screen readers")
        self.assertEqual(walk[-1], ["focus", "Mail"], "the selected row has the focus")
        places = [tuple(map(int, row[4].split())) for row in rows]
        list_place = tuple(map(int, walk[0][4].split()))
        self.assertTrue(list_place[1] <= places[0][1] and places[-1][1] + px(18) <= list_place[1] + list_place[3],
                        f"the rows lie inside the list: {places} in {list_place}")
        self.assertEqual([(x, y - places[0][1], height) for x, y, _, height in places],
                         [(places[0][0], px(18) * i, px(18)) for i in range(3)], "one row under the other")
        # Drawn where readers are told the rows are: the first, selected, in the selection's
        # colour to its right end, the next in the window's.
        shown = screenshot("command-rows")
        ends = [shown.pixel(x + width - px(3), y + height // 2) for x, y, width, height in places[:2]]
        self.assertEqual(ends[1], "FFFFFF", "an unselected row")
        self.assertNotEqual(ends[0], ends[1], "the selected row")
        xdotool("key", "Down")  # the selection moves on, and readers are told of it
        walk = wait_for(lambda: (lines := e2e.accessible_walk(self.folder, places[0][:2], states=True))[-1] ==
                        ["focus", "Maps"] and lines, "the focus on the second row")
        self.assertEqual([line[6] for line in walk[1:-1]], ["", "focused selected", ""], "only the second row selected")
        xdotool("key", "Up")  # back to Mail, which Enter starts further on

        click(900, 700)  # the other program is active again
        time.sleep(1)
        above = screenshot("command-behind-another-program")
        for x, y, what in [(command[0] + px(130), command[1] + px(200), "command window"),
                           (category[0] + category[2] // 2, category[1] + px(10), "category window"),
                           (px(10), 0, "bar")]:
            self.assertNotEqual(above.pixel(x, y), COVER, f"the {what} stays above the other program")

        self.assertEqual(self.hot_key()[1], command, "a second Ctrl+J leaves it where it is")
        xdotool("key", "Return")  # the text typed before the second Ctrl+J is still there
        wait_for(self.runs, "the first matching title's program to start")
        self.both_hidden()
        self.assertEqual(self.runs(), {"Mail": 1}, "Mail before Maps, and not Email")

        # A click selects a row and leaves the keyboard in the edit box; a double click starts.
        self.hot_key()
        self.rows_for("ma", ["Mail", "Maps", "Email"])
        click(*self.row_centre("Email"))
        xdotool("key", "Return")
        wait_for(lambda: self.runs() == {"Mail": 1, "Email": 1}, "the clicked row's program to start")
        self.both_hidden()
        self.hot_key()
        self.rows_for("ma", ["Mail", "Maps", "Email"])
        xdotool("mousemove", *self.row_centre("Maps"))
        xdotool("click", "--repeat", "2", "--delay", "100", "1")
        wait_for(lambda: self.runs() == {"Mail": 1, "Email": 1, "Maps": 1}, "the double-clicked row's program")
        self.both_hidden()

        self.hot_key()
        xdotool("key", "Escape")
        self.both_hidden()
        self.hot_key()
        xdotool("key", "Return")  # nothing typed, nothing selected
        self.both_hidden()
        time.sleep(1)
        self.assertEqual(self.runs(), {"Mail": 1, "Email": 1, "Maps": 1},
                         "neither Escape nor an empty Enter started anything")

    def test_a_topmost_program_leaves_the_bar_on_top_and_a_slow_start_holds_nothing(self):
        os.environ["KESTRUM_START_HOLD_MS"] = "10000"  # the shell answers after 10 s
        self.addCleanup(os.environ.pop, "KESTRUM_START_HOLD_MS")
        self.start()
        wait_for(e2e.bar_top_is(px(-26)), "the bar to slide up")
        cover = Holder("topmost")
        self.addCleanup(cover.close)
        covered = time.monotonic()
        wait_for(lambda: screenshot("strip-above-topmost").pixel(px(78), 0) == YELLOW,
                 "the strip above the other program's topmost window")
        print(f"strip covered for {time.monotonic() - covered:.2f} s", file=sys.stderr)

        category = e2e.open_category_window()  # the bar comes down above the other program
        click(*e2e.cell_centre(category, max(len(titles) for _, titles in CATEGORIES), 0, 1))
        clicked = time.monotonic()
        wait_for(lambda: self.windows()[0] is None, "the category window to go at once")
        print(f"window gone {time.monotonic() - clicked:.2f} s after the click", file=sys.stderr)
        xdotool("mousemove", 500, 400)
        wait_for(e2e.bar_top_is(px(-26)), "the bar to slide up while the start waits")
        pressed = time.monotonic()
        self.hot_key()
        print(f"Ctrl+J answered in {time.monotonic() - pressed:.2f} s", file=sys.stderr)
        xdotool("key", "Escape")
        self.both_hidden()
        self.assertEqual(self.runs(), {}, "the start is still held")
        # The marker's record exists a moment before its line is in it: the line is waited for.
        wait_for(lambda: sum(self.runs().values()), "the held start to be made", timeout=e2e.TIMEOUT + 10)
        self.assertEqual(sum(self.runs().values()), 1)

    def test_ctrl_j_taken_first_gives_one_warning_and_the_bar_still_works(self):
        holder = Holder()
        self.addCleanup(holder.close)
        self.assertTrue(holder.holds_key)
        self.start(settle=False)
        warning = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^Kestrum$").split(),
                           "the warning box")
        screenshot("hot-key-taken")
        xdotool("windowfocus", warning[0])
        xdotool("key", "Return")
        wait_for(bar_position, "the bar once the warning is answered")
        e2e.press_main_button()
        wait_for(lambda: self.windows()[0], "the category window")
        self.assertEqual(xdotool("search", "--onlyvisible", "--name", "^Kestrum$").split(), [], "one warning only")

    def rows_for(self, typed, rows):
        """Types `typed` into the open command window and waits for its list to read `rows`."""
        command = self.windows()[1]
        xdotool("type", "--delay", "100", typed)
        list_point = (command[0] + px(130), command[1] + px(200))
        return wait_for(lambda: [row[2] for row in e2e.accessible_walk(self.folder, list_point) if row[0] == "item"] == rows,
                        f"the rows {rows} for {typed}")

    def row_centre(self, title):
        """The middle of the open command window's row of `title` on the screen, as readers
        are told it."""
        command = self.windows()[1]
        for row in e2e.accessible_walk(self.folder, (command[0] + px(130), command[1] + px(200))):
            if row[0] == "item" and row[2] == title:
                left, top, width, height = map(int, row[4].split())
                return left + width // 2, top + height // 2
        raise AssertionError(f"no row {title}")

    def test_start_menu_programs_are_found_and_followed_and_enter_starts_the_text_typed_at_full_speed(self):
        # A folder of the test's own in the Start menu: a program, its uninstaller and its help.
        programs = os.path.join(start_menu_programs(), "Kestrum test")
        os.makedirs(programs)
        self.addCleanup(shutil.rmtree, programs, ignore_errors=True)
        xdotool("mousemove", 600, 500)  # away from the bar, which then slides up
        self.start(prepare=lambda folder: make_categories(folder, {
            os.path.join(programs, title + ".lnk"): e2e.marker(folder, name)
            for title, name in [("Zebra Paint", "zebra"), ("Uninstall Zebra Paint", "uninstall"),
                                ("Zebra Paint Help", "help")]}))
        wait_for(e2e.bar_top_is(px(-26)), "the bar to slide up")
        xdotool("windowfocus", e2e.bar_windows()[0][4])
        self.hot_key()
        self.rows_for("zebra", ["Zebra Paint (Start menu)"])
        xdotool("key", "Return")
        wait_for(lambda: self.runs() == {"zebra": 1}, "the Start menu's program to start")
        self.both_hidden()

        # Installed while the program runs: listed at the next Ctrl+J, without a restart.
        e2e.write_shortcuts({os.path.join(programs, "Quokka Viewer.lnk"): e2e.marker(self.folder, "quokka")})
        xdotool("windowfocus", e2e.bar_windows()[0][4])
        self.hot_key()
        self.rows_for("quokka", ["Quokka Viewer (Start menu)"])
        xdotool("key", "Return")
        wait_for(lambda: self.runs().get("quokka") == 1, "the program installed later to start")
        self.both_hidden()

        # Keys as fast as X takes them: Enter starts the first row of the whole text, never a row
        # of a text typed on the way ("m" and "ma" list Mail first, "map" Maps).
        expected = self.runs()
        for typed, started in [("maps", "Maps"), ("email", "Email"), ("mail", "Mail"), ("zebra", "zebra"),
                               ("quokka v", "quokka"), ("caf", "Café")]:
            xdotool("windowfocus", e2e.bar_windows()[0][4])
            self.hot_key()
            xdotool("type", "--delay", "0", typed)
            xdotool("key", "Return")
            expected[started] = expected.get(started, 0) + 1
            wait_for(lambda: self.runs() == expected, f"{started} started by typing {typed} at full speed")
            self.both_hidden()

    def test_typing_finds_titles_without_regard_to_case_in_any_script(self):
        xdotool("mousemove", 600, 500)  # away from the bar, which then slides up
        self.start()
        wait_for(e2e.bar_top_is(px(-26)), "the bar to slide up")
        for typed, started in [("блок", "notepad"), ("CAF", "Café")]:
            # Wine sees Ctrl+J only while one of its windows has the X focus.
            xdotool("windowfocus", e2e.bar_windows()[0][4])
            self.hot_key()
            # A character the keyboard lacks comes through a key mapped to it for the moment,
            # which Wine needs the time to read.
            xdotool("type", "--delay", "250", typed)
            time.sleep(0.5)
            xdotool("key", "Return")
            wait_for(lambda: started in self.runs(), f"{started} started by typing {typed}")
            self.both_hidden()
        self.assertEqual(self.runs(), {"notepad": 1, "Café": 1}, "Блокнот and Café")


if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker", "holder", "makeshortcut", "accesswalk"))
