#!/usr/bin/env python3
"""The small dialogs end to end: the real Kestrum.exe under Wine on a virtual X display of its
own (:98), on a day the monthly notice is due; screenshots of every dialog are kept in the
artefacts folder. Without a window manager Wine's X window of a captioned form is its client
area, so the dialogs are found by their client sizes.

Usage: dialogs_e2e.py KESTRUM_EXE ARTEFACTS_FOLDER
"""
import datetime
import os
import sys
import unittest

import e2e_support as e2e
from e2e_support import bar_top_is, click, screenshot, visible_windows, wait_for, xdotool

TIP, ABOUT, NAME = (379, 201), (325, 190), (336, 114)


def others_than_the_bar():
    return [w for w in visible_windows() if w[2:4] != e2e.BAR_SIZE]


def dialog_of(client):
    found = [w for w in others_than_the_bar() if w[2:4] == client]
    return found[0] if len(found) == 1 else None


def gone(window):
    # Hiding a window that Wine had activated takes 2 s without a window manager.
    return lambda: all(w[4] != window[4] for w in visible_windows())


def title(window):
    return e2e.window_title(window[4])


class Dialogs(unittest.TestCase):
    def choose(self, access_key):
        """Right-clicks the main button and picks a main menu item by its access key."""
        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down")
        click(30, 12, button=3)
        menu = wait_for(lambda: len(found := others_than_the_bar()) == 1 and found[0], "the main menu")
        xdotool("windowfocus", menu[4])
        xdotool("key", access_key)
        wait_for(gone(menu), "the menu to close")

    def test_notice_about_box_and_a_new_category_by_name(self):
        xdotool("mousemove", 600, 500)
        due = (datetime.date.today() - datetime.date(1970, 1, 1)).days - 29
        program = e2e.Kestrum(self._testMethodName, settings=f"[Kestrum]\nFirstRunDay={due}\n")
        self.addCleanup(program.close)

        tip = wait_for(lambda: dialog_of(TIP), "the monthly notice")
        screenshot("monthly-tip")
        self.assertTrue(343 < tip[0] <= 347 and 0 < tip[1] <= 30, f"the frame's corner at (343, 0): {tip}")
        self.assertEqual(title(tip), "Kestrum Tip")
        click(tip[0] + 228 + 37, tip[1] + 138 + 12)  # "&No"
        wait_for(gone(tip), "the notice to close")

        self.choose("a")
        about = wait_for(lambda: dialog_of(ABOUT), "the about box")
        screenshot("about")
        self.assertEqual(title(about), "About")
        click(about[0] + 168 + 52, about[1] + 132 + 12)  # "&OK"
        wait_for(gone(about), "the about box to close")

        self.choose("n")
        dialog = wait_for(lambda: dialog_of(NAME), "the name dialog")
        screenshot("name-dialog")
        self.assertEqual(title(dialog), "Enter a name")
        click(dialog[0] + 72 + 100, dialog[1] + 18 + 10)  # into the edit box
        xdotool("key", "Return")
        # The refusal is the one new window with a title: Wine may show a message box's parts or
        # a tip for a moment before it, and names a window only after showing it.
        refusal = wait_for(lambda: [w for w in others_than_the_bar() if w[4] != dialog[4] and
                                    xdotool("getwindowname", w[4]).strip()], "the refusal")[0]
        screenshot("name-not-available")
        self.assertEqual(title(refusal), "Kestrum", "the program's plain message box")
        xdotool("windowfocus", refusal[4])
        xdotool("key", "Return")
        wait_for(gone(refusal), "the message box to close")
        self.assertEqual(dialog_of(NAME), dialog, "the name dialog stays open")

        click(dialog[0] + 72 + 100, dialog[1] + 18 + 10)
        xdotool("type", "Games")
        xdotool("key", "Return")
        wait_for(gone(dialog), "the name dialog to close")
        self.assertTrue(os.path.isdir(os.path.join(program.folder, "Games")), "the category's folder")
        with open(os.path.join(program.folder, "config.txt")) as listing:
            self.assertIn("0=Games", listing.read().split())


if __name__ == "__main__":
    sys.exit(e2e.run_tests(sys.argv[1], sys.argv[2], ":98"))
