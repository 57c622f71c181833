#!/usr/bin/env python3
"""The category window's menu commands end to end: the real Kestrum.exe under Wine on a virtual X
display of its own, in one run over three categories of placeholder shortcuts. Each command is
chosen from the menu a right click opens, its dialog is worked with real keys, and what it changed
is read back from the data folder; screenshots are kept in the artefacts folder. A second run
carries names in several scripts (Cyrillic, Japanese, Greek, accented Latin, an emoji outside
the Basic Multilingual Plane) through showing, starting, renaming, moving, saving and a restart,
with one category list as an earlier version wrote it, in the ANSI code page.
"""
import configparser
import os
import sys
import unittest

import e2e_support as e2e
from e2e_support import CELL, click, gone, screenshot, visible_windows, wait_for, xdotool

CATEGORIES = [("Alpha", ["a", "b", "c"]), ("Beta", ["d"]), ("Gamma", ["e"])]
NAME_DIALOG, INPUT_BOX = (336, 114), (320, 100)  # Wine's X window of a captioned form is its client
NOTEPAD = r"C:\windows\notepad.exe"
RGB = (10, 20, 30)
RED_GREEN_BLUE = [(428, 195), (428, 216), (428, 237)]  # the boxes in Wine's colour dialog, opened full
# Each title is that of a shortcut to the marker copy named after it. Wine's shell-link object
# keeps a target's path only in the ANSI code page, so the copies' names stay within it.
SCRIPTS = [("Музыка", {"Блокнот": "notepad", "メモ帳": "memo"}), ("Ελληνικά", {"Müsik": "Müsik"}),
           ("日本語 😀", {"Café ☕": "café", "Smile 😀": "smile"})]
RENAMED = "Señal Щ"


def make_categories(folder):
    # The shortcut files are empty: each is a cell all the same, and deleting it is what is seen.
    e2e.make_categories(folder, [e2e.Category(name, dict.fromkeys(links)) for name, links in CATEGORIES])


def ini(path):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(path)
    return {section: dict(parser[section]) for section in parser.sections()}


def make_script_categories(folder):
    e2e.make_categories(folder, [e2e.Category(name, {title: e2e.marker(folder, marker) for title, marker in titles.items()})
                                 for name, titles in SCRIPTS])
    # As an earlier version wrote it: in the ANSI code page (1252 in Wine's English locale).
    with open(os.path.join(folder, "Ελληνικά", "config.txt"), "wb") as file:
        file.write(e2e.numbered_list("Link", ["Müsik.lnk"]).replace("\n", "\r\n").encode("cp1252"))


def utf8_list(path, section):
    """A numbered list of one of Kestrum's files, or None while the file is not all UTF-8."""
    with open(path, "rb") as file:
        try:
            file.read().decode("utf-8")
        except UnicodeDecodeError:
            return None
    return e2e.stored_list(path, section)


class Commands(unittest.TestCase):
    @staticmethod
    def category_window():
        found = [w for w in visible_windows() if w[1] == e2e.BAR_SIZE[1] and w[3] > 60]
        return found[0] if len(found) == 1 else None

    def window(self):
        """The category window as it is now: every change of the rows changes its size."""
        return wait_for(self.category_window, "the category window")

    @staticmethod
    def new_window(known, what, titled=False):
        """The one visible window that is none of `known` (by X window id), once there is one; an
        icon's tip is too low to count. A dialog is the one with a title: Wine may show a message
        box's parts or a tip for a moment before it, and names a window only after showing it."""
        def appeared():
            found = [w for w in visible_windows() if w[4] not in known and w[3] > 30
                     and (not titled or e2e.has_title(w[4]))]
            return found[0] if len(found) == 1 else None
        return wait_for(appeared, what)

    def cell(self, row, column):
        """The centre of a cell."""
        return e2e.cell_centre(self.window(), max(len(links) for links in self.links.values()), row, column)

    def empty_part(self, row):
        return e2e.row_end(self.window(), row)

    def choose(self, point, access_key):
        """Right-clicks `point` and picks an item of the menu that opens there by its access key;
        returns the X window ids of what was visible before."""
        known = {w[4] for w in visible_windows()}
        click(*point, button=3)
        menu = self.new_window(known, "the menu")
        self.assertLessEqual(abs(menu[0] - point[0]) + abs(menu[1] - point[1]), 2, f"the menu at the point: {menu}")
        xdotool("windowfocus", menu[4])
        xdotool("key", access_key)
        wait_for(gone(menu[4]), "the menu to close")
        return known

    def dialog(self, point, access_key, what):
        """The window that the command chosen at `point` opens."""
        return self.new_window(self.choose(point, access_key), what, titled=True)

    def replace_text(self, window, x, y, text):
        """Clicks into the edit box at (x, y) of `window`, selects all of its text and types `text`.
        A character the keyboard lacks is typed through a key that xdotool maps to it for the
        moment: Wine needs the time to read each new mapping, or it takes another character."""
        click(window[0] + x, window[1] + y)
        xdotool("key", "End", "shift+Home")
        xdotool("type", "--delay", "250", text)

    def category(self, name):
        return os.path.join(self.program.folder, name)

    def accessible_names(self):
        """(kind, name) of every row and icon of the category window, as a screen reader reads them."""
        window = self.window()
        return [tuple(line[0:3:2]) for line in e2e.accessible_walk(self.program.folder, (window[0] + 10, window[1] + 10))]

    def runs(self):
        return {title: len(starts) for title, starts in e2e.marker_runs(self.program.folder).items()}

    def expected_names(self):
        """What a screen reader should read of self.links: each category, then its icons."""
        return [("group", name) if i < 0 else ("item", titles[i])
                for name, titles in self.links.items() for i in range(-1, len(titles))]

    def test_names_in_any_script_are_shown_started_renamed_moved_and_kept(self):
        xdotool("mousemove", 600, 500)
        self.program = e2e.Kestrum(self._testMethodName, prepare=make_script_categories)
        self.addCleanup(self.program.close)
        self.links = {name: list(titles) for name, titles in SCRIPTS}
        wait_for(e2e.bar_position, "the bar to appear")
        e2e.press_main_button()
        self.window()
        screenshot("names-in-any-script")
        self.assertEqual(self.accessible_names(), self.expected_names(), "every name whole, the ANSI list's Müsik too")

        click(*self.cell(0, 0))
        wait_for(lambda: self.runs().get("notepad"), "Блокнот started")
        e2e.press_main_button()
        click(*self.cell(2, 1))
        wait_for(lambda: self.runs().get("smile"), "Smile 😀 started")

        # Renamed in the name dialog: a name differing only in letter case is refused, the new one taken.
        e2e.press_main_button()
        name = self.dialog(self.empty_part(1), "r", "the name dialog")
        self.replace_text(name, 72 + 100, 18 + 10, "МУЗЫКА")
        known = {w[4] for w in visible_windows()}
        xdotool("key", "Return")
        refusal = self.new_window(known, "the refusal", titled=True)
        xdotool("windowfocus", refusal[4])
        xdotool("key", "Return")
        wait_for(gone(refusal[4]), "the refusal to close")
        self.replace_text(name, 72 + 100, 18 + 10, RENAMED)
        xdotool("key", "Return")
        wait_for(gone(name[4]), "the name dialog to close")
        wait_for(lambda: os.path.isdir(self.category(RENAMED)), "the folder renamed")
        self.assertEqual(utf8_list(os.path.join(self.program.folder, "config.txt"), "Bar"),
                         ["Музыка", RENAMED, "日本語 😀"])

        # Moved onto Müsik, in the list an earlier version wrote: all of that list in UTF-8 now.
        e2e.drag(self.cell(0, 1), self.cell(1, 0))
        # The destination's list is saved before the source's: both are waited for.
        wait_for(lambda: utf8_list(os.path.join(self.category(RENAMED), "config.txt"), "Link") == ["メモ帳.lnk", "Müsik.lnk"]
                 and utf8_list(os.path.join(self.category("Музыка"), "config.txt"), "Link") == ["Блокнот.lnk"],
                 "メモ帳 moved before Müsik and gone from Музыка")
        self.assertFalse(os.path.exists(os.path.join(self.category("Музыка"), "メモ帳.lnk")))
        screenshot("names-moved")

        # Kept over a restart, names and order.
        e2e.wine("taskkill", "/IM", "Kestrum.exe")
        self.assertEqual(self.program.exit_code(), 0)
        self.program.process = self.program.launch()
        wait_for(e2e.bar_position, "the bar to appear again")
        e2e.press_main_button()
        self.links = {"Музыка": ["Блокнот"], RENAMED: ["メモ帳", "Müsik"], "日本語 😀": ["Café ☕", "Smile 😀"]}
        self.assertEqual(self.accessible_names(), self.expected_names(), "the same names in the same order after a restart")
        click(*self.cell(1, 0))
        wait_for(lambda: self.runs().get("memo"), "the moved メモ帳 started")

        # Deleted: an icon at once, a category after its question, which names it.
        e2e.press_main_button()
        self.choose(self.cell(2, 1), "d")
        wait_for(lambda: utf8_list(os.path.join(self.category("日本語 😀"), "config.txt"), "Link") == ["Café ☕.lnk"],
                 "Smile 😀 deleted")
        self.assertFalse(os.path.exists(os.path.join(self.category("日本語 😀"), "Smile 😀.lnk")))
        question = self.dialog(self.empty_part(0), "d", "the delete question")
        self.assertEqual(e2e.window_title(question[4]), "Delete Category")
        xdotool("windowfocus", question[4])
        xdotool("key", "y")
        wait_for(lambda: utf8_list(os.path.join(self.program.folder, "config.txt"), "Bar") == [RENAMED, "日本語 😀"],
                 "Музыка out of the list")
        self.assertFalse(os.path.exists(self.category("Музыка")), "its folder deleted")

    def test_every_command_changes_the_data_folder_as_chosen(self):
        xdotool("mousemove", 600, 500)
        self.program = e2e.Kestrum(self._testMethodName, prepare=make_categories)
        self.addCleanup(self.program.close)
        self.links = dict(CATEGORIES)
        wait_for(e2e.bar_position, "the bar to appear")
        e2e.press_main_button()
        self.window()
        screenshot("commands-window")

        # Delete on an icon asks nothing and takes its shortcut file away.
        known = self.choose(self.cell(0, 1), "d")
        wait_for(lambda: not os.path.exists(os.path.join(self.category("Alpha"), "b.lnk")), "b.lnk deleted")
        self.assertEqual([w for w in visible_windows() if w[4] not in known and w[3] > 30], [], "no question")
        self.links["Alpha"] = ["a", "c"]
        self.assertEqual(ini(os.path.join(self.category("Alpha"), "config.txt"))["Link"],
                         {"Count": "2", "0": "a.lnk", "1": "c.lnk"})

        # Change Title: the input box, with the old title all selected.
        box = self.dialog(self.cell(0, 0), "c", "the input box")
        screenshot("change-title")
        self.assertEqual((e2e.window_title(box[4]), box[2:4]), ("Change title", INPUT_BOX))
        self.replace_text(box, 8 + 150, 28 + 10, "  Arcade  ")
        xdotool("key", "Return")
        wait_for(gone(box[4]), "the input box to close")
        wait_for(lambda: ini(os.path.join(self.category("Alpha"), "config.txt")).get("Titles", {}).get("0") == "Arcade",
                 "the trimmed title stored")

        # Add Icon: a path typed into the open-file dialog is appended.
        files = self.dialog(self.empty_part(0), "a", "the open-file dialog")
        screenshot("add-icon")
        xdotool("windowfocus", files[4])
        xdotool("type", NOTEPAD)
        xdotool("key", "Return")
        wait_for(gone(files[4]), "the open-file dialog to close")
        wait_for(lambda: ini(os.path.join(self.category("Alpha"), "config.txt"))["Link"].get("2") == "notepad.exe.lnk",
                 "notepad.exe.lnk appended")
        self.assertTrue(os.path.getsize(os.path.join(self.category("Alpha"), "notepad.exe.lnk")) > 0, "a shortcut")
        self.links["Alpha"] = ["a", "c", "notepad.exe"]

        # Background Color: red, green and blue typed into the colour dialog's custom part.
        colours = self.dialog(self.empty_part(1), "b", "the colour dialog")
        screenshot("background-color")
        for (x, y), value in zip(RED_GREEN_BLUE, RGB):
            self.replace_text(colours, x, y, str(value))
        xdotool("key", "Return")
        wait_for(gone(colours[4]), "the colour dialog to close")
        stored = RGB[2] * 65536 + RGB[1] * 256 + RGB[0]
        wait_for(lambda: ini(os.path.join(self.category("Beta"), "settings.txt")).get("Background", {})
                 .get("BackgoundColor") == str(stored), "the colour stored")
        x, y = self.empty_part(1)
        wait_for(lambda: screenshot("coloured-row").pixel(x, y) == "%02X%02X%02X" % RGB, "the row repainted")

        # Rename through the name dialog.
        name = self.dialog(self.empty_part(2), "r", "the name dialog")
        self.assertEqual(name[2:4], NAME_DIALOG)
        self.replace_text(name, 72 + 100, 18 + 10, "Delta")
        xdotool("key", "Return")
        wait_for(gone(name[4]), "the name dialog to close")
        wait_for(lambda: os.path.isdir(self.category("Delta")), "the folder renamed")
        self.assertFalse(os.path.exists(self.category("Gamma")))
        self.assertEqual(ini(os.path.join(self.program.folder, "config.txt"))["Bar"].get("2"), "Delta")

        # Delete Category asks; Return takes the default, No, and Yes deletes.
        height = self.window()[3]
        question = self.dialog(self.empty_part(1), "d", "the delete question")
        screenshot("delete-category")
        self.assertEqual(e2e.window_title(question[4]), "Delete Category")
        xdotool("windowfocus", question[4])
        xdotool("key", "Return")
        wait_for(gone(question[4]), "the question to close")
        self.assertTrue(os.path.isdir(self.category("Beta")), "No keeps the folder")
        self.assertEqual(self.window()[3], height)
        question = self.dialog(self.empty_part(1), "d", "the delete question")
        xdotool("windowfocus", question[4])
        xdotool("key", "y")
        wait_for(gone(question[4]), "the question to close")
        wait_for(lambda: not os.path.exists(self.category("Beta")), "the folder deleted")
        wait_for(lambda: (w := self.category_window()) and w[3] == height - CELL, "the window one row shorter")
        self.assertEqual(ini(os.path.join(self.program.folder, "config.txt"))["Bar"],
                         {"Count": "2", "0": "Alpha", "1": "Delta"})
        screenshot("category-deleted")


if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker", "makeshortcut", "accesswalk"))
