#!/usr/bin/env python3
"""The global settings dialog end to end: the real Kestrum.exe under Wine on a virtual X display
of its own, with one category of two shortcuts open below the bar. The main menu opens the
dialog; its choices reach the settings file at once and the open category window follows them.
"""
import configparser
import os
import sys
import unittest

import e2e_support as e2e
from e2e_support import bar_top_is, click, screenshot, visible_windows, wait_for, xdotool

DIALOG = (404, 437)  # Wine's X window of a captioned form is its client area
PAGE = (10, 32)  # where the pages' controls start in the dialog, below the tabs


def one_category(folder):
    # The two files are no shortcuts, but each one is a cell all the same.
    e2e.make_categories(folder, [e2e.Category("Tools", {"a": None, "b": None})])


class GlobalSettings(unittest.TestCase):
    def stored(self, section, key):
        settings = configparser.ConfigParser()
        settings.read(os.path.join(self.program.folder, "settings.txt"))
        return settings.get(section, key, fallback=None)

    def category_window(self):
        found = [w for w in visible_windows() if w[1] == e2e.BAR_SIZE[1] and w[2:4] != DIALOG]
        return found[0] if len(found) == 1 else None

    def on_page(self, x, y):
        click(self.dialog[0] + PAGE[0] + x, self.dialog[1] + PAGE[1] + y)

    def test_choices_are_saved_at_once_and_the_open_window_follows(self):
        xdotool("mousemove", 600, 500)
        self.program = e2e.Kestrum(self._testMethodName, prepare=one_category)
        self.addCleanup(self.program.close)
        wait_for(e2e.bar_position, "the bar to appear")
        e2e.press_main_button()
        small = wait_for(self.category_window, "the category window")
        self.assertEqual(small[3], 2 + 45 + 2, "small icons: one row of 45 x 45 cells")

        click(30, 12, button=3)
        menu = wait_for(lambda: [w for w in visible_windows() if w[1] > 0 and w[3] < small[3] + 100
                                 and w[:2] != small[:2]], "the main menu")[0]
        xdotool("windowfocus", menu[4])
        xdotool("key", "g")
        self.dialog = wait_for(lambda: [w for w in visible_windows() if w[2:4] == DIALOG], "the dialog")[0]
        self.assertEqual(e2e.window_title(self.dialog[4]), "Global Settings")
        beside_the_font_button = (self.dialog[0] + PAGE[0] + 250, self.dialog[1] + PAGE[1] + 250)
        wait_for(lambda: screenshot("settings-appearance").pixel(*beside_the_font_button) != e2e.BLACK, "the controls drawn")

        self.on_page(12 + 182 + 40, 44 + 30)  # "Large(32x32)"
        large = wait_for(lambda: (w := self.category_window()) and w[3] == 2 + 60 + 2 and w, "70 x 60 cells")
        self.assertEqual(self.stored("Appearance", "IconSizeType"), "32")
        self.assertGreater(large[2], small[2] + 2 * 20, "each of the two cells grows 25 pixels wider")

        self.on_page(12 + 8, 16 + 8)  # "Show Icon Title"
        wait_for(lambda: (w := self.category_window()) and w[3] > large[3], "the titles below the icons")
        self.assertEqual(self.stored("Appearance", "ShowIconTitle"), "1")
        screenshot("settings-titles")

        click(self.dialog[0] + 8 + 110, self.dialog[1] + 8 + 10)  # the "General" tab
        self.on_page(12 + 176 + 10, 92 + 10)  # into the height's box, whose arrow keys press the arrows
        xdotool("key", "Up")
        wait_for(lambda: self.stored("KestrumButton", "VisibleHeight") == "2", "the visible height saved")
        screenshot("settings-general")

        click(self.dialog[0] + 321 + 37, self.dialog[1] + 380 + 16 + 12)  # "&Close"
        wait_for(lambda: not [w for w in visible_windows() if w[4] == self.dialog[4]], "the dialog to close")
        xdotool("windowfocus", wait_for(self.category_window, "the category window alone")[4])
        xdotool("key", "Escape")
        xdotool("mousemove", 600, 500)
        wait_for(bar_top_is(2 - e2e.BAR_SIZE[1]), "the bar to hide with two rows left on the screen")


if __name__ == "__main__":
    sys.exit(e2e.run_tests())
