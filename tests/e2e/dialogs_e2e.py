#!/usr/bin/env python3
"""The small dialogs end to end: the real Kestrum.exe under Wine on a virtual X display of its
own, on a day the monthly notice is due; screenshots of every dialog are kept in the artefacts
folder. Without a window manager Wine's X window of a captioned form is its client area, so the
dialogs are found by their client sizes.
"""
import datetime
import os
import sys
import unittest

import e2e_support as e2e
from e2e_support import choose_from_main_menu, click, gone, others_than_the_bar, screenshot, wait_for, xdotool

TIP, ABOUT, NAME = (379, 201), (325, 190), (336, 114)


def dialog_of(client):
    found = [w for w in others_than_the_bar() if w[2:4] == client]
    return found[0] if len(found) == 1 else None


def title(window):
    return e2e.window_title(window[4])


class Dialogs(unittest.TestCase):
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
        wait_for(gone(tip[4]), "the notice to close")

        choose_from_main_menu("a")
        about = wait_for(lambda: dialog_of(ABOUT), "the about box")
        screenshot("about")
        self.assertEqual(title(about), "About")
        click(about[0] + 168 + 52, about[1] + 132 + 12)  # "&OK"
        wait_for(gone(about[4]), "the about box to close")

        choose_from_main_menu("n")
        dialog = wait_for(lambda: dialog_of(NAME), "the name dialog")
        screenshot("name-dialog")
        self.assertEqual(title(dialog), "Enter a name")
        click(dialog[0] + 72 + 100, dialog[1] + 18 + 10)  # into the edit box
        xdotool("key", "Return")
        # The refusal is the one new window with a title: Wine may show a message box's parts or
        # a tip for a moment before it, and names a window only after showing it.
        refusal = wait_for(lambda: [w for w in others_than_the_bar() if w[4] != dialog[4] and e2e.has_title(w[4])],
                           "the refusal")[0]
        screenshot("name-not-available")
        self.assertEqual(title(refusal), "Kestrum", "the program's plain message box")
        xdotool("windowfocus", refusal[4])
        xdotool("key", "Return")
        wait_for(gone(refusal[4]), "the message box to close")
        self.assertEqual(dialog_of(NAME), dialog, "the name dialog stays open")

        click(dialog[0] + 72 + 100, dialog[1] + 18 + 10)
        xdotool("type", "Games")
        xdotool("key", "Return")
        wait_for(gone(dialog[4]), "the name dialog to close")
        self.assertTrue(os.path.isdir(os.path.join(program.folder, "Games")), "the category's folder")
        with open(os.path.join(program.folder, "config.txt")) as listing:
            self.assertIn("0=Games", listing.read().split())


if __name__ == "__main__":
    sys.exit(e2e.run_tests())
