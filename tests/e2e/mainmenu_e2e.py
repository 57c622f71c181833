#!/usr/bin/env python3
"""The main menu end to end: the real Kestrum.exe under Wine on a virtual X display of its own
(:95), started from a working folder other than its own, as Windows starts a program at log-on.
A right click on the bar opens the menu; Help hands the help page beside the executable to the
shell, which here starts a marker program registered for .htm files, so the page that would
open is read from the marker's record; Exit ends the program with exit code 0.

Usage: mainmenu_e2e.py KESTRUM_EXE MARKER_EXE ARTEFACTS_FOLDER
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import bar_position, bar_top_is, click, screenshot, visible_windows, wait_for, wine, xdotool

MARKER = ""  # set from the command line
HELP_CLASS = "KestrumTestHelpPage"
MENU_ITEMS = 6  # besides two separators
MESSAGE_BOX_TIME = 3  # seconds in which a "Cannot find help.htm" box would have shown


class ElsewhereStarted(e2e.Kestrum):
    """The program started with a working folder of its own that holds a help.htm of its own, so
    that opening the bare name would open that one."""

    def launch(self):
        self.working_folder = tempfile.mkdtemp(prefix="kestrum-e2e-cwd-")
        with open(os.path.join(self.working_folder, "help.htm"), "w") as page:
            page.write("<html>not this one</html>")
        with open(os.path.join(self.folder, "wine.log"), "ab") as log:
            return subprocess.Popen(["wine", self.exe], cwd=self.working_folder, env=e2e.wine_environment(),
                                        stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def close(self):
        super().close()
        shutil.rmtree(self.working_folder, ignore_errors=True)


class MainMenu(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The prefix is the test run's private copy: the viewer for .htm files may be replaced.
        cls.viewers = tempfile.mkdtemp(prefix="kestrum-e2e-viewer-")
        cls.viewer = os.path.join(cls.viewers, "helpviewer.exe")
        shutil.copy(MARKER, cls.viewer)
        command = f'"{e2e.windows_path(cls.viewer)}" "%1"'
        for key, data in ((r"HKCR\.htm", HELP_CLASS), (rf"HKCR\{HELP_CLASS}\shell\open\command", command)):
            if wine("reg", "add", key, "/ve", "/d", data, "/f") != 0:
                raise RuntimeError(f"could not register {key}")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.viewers, ignore_errors=True)

    def start(self, with_help=True):
        record = self.viewer + ".ran"
        if os.path.exists(record):
            os.remove(record)
        xdotool("mousemove", 600, 500)

        def prepare(folder):
            if with_help:
                shutil.copy(os.path.join(os.path.dirname(e2e.KESTRUM_EXE), "help.htm"), folder)

        program = ElsewhereStarted(self._testMethodName, prepare=prepare)
        self.addCleanup(program.close)
        wait_for(bar_top_is(-26), "the bar to glide up to its strip")
        return program

    def viewer_runs(self):
        try:
            with open(self.viewer + ".ran") as record:
                return record.read().splitlines()
        except FileNotFoundError:
            return []

    @staticmethod
    def others_than_the_bar():
        return [w for w in visible_windows() if w[2:4] != e2e.BAR_SIZE]

    def open_menu(self, name):
        """Right-clicks the main button; returns the menu's window once it is there."""
        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down")
        click(30, 12, button=3)
        menu = wait_for(lambda: (found := self.others_than_the_bar()) and len(found) == 1 and found[0],
                        "the main menu")
        screenshot(name)
        return menu

    def choose(self, menu, access_key):
        """Picks an item by its access key, as a user of the keyboard would."""
        xdotool("windowfocus", menu[4])
        xdotool("key", access_key)
        xdotool("mousemove", 600, 500)  # takes the button's hint away with the pointer
        wait_for(lambda: all(w[4] != menu[4] for w in visible_windows()), "the menu to close")

    def test_menu_at_the_pointer_help_beside_the_program_and_exit_with_0(self):
        program = self.start()
        menu = self.open_menu("main-menu")
        left, top, width, height = menu[:4]
        self.assertLessEqual(abs(left - 30) + abs(top - 12), 4, f"the menu opens at the pointer, not at {menu[:2]}")
        self.assertGreater(height, MENU_ITEMS * 12, "a menu of eight rows")
        self.assertGreater(width, 100, "wide enough for its captions")

        self.choose(menu, "h")
        runs = wait_for(self.viewer_runs, "the shell to start the viewer of .htm files")
        wait_for(lambda: not self.others_than_the_bar(), "the hint to go")
        self.assertEqual(runs, [e2e.windows_path(os.path.join(program.folder, "help.htm"))])
        time.sleep(MESSAGE_BOX_TIME)
        self.assertEqual(self.others_than_the_bar(), [], "no message box")

        menu = self.open_menu("main-menu-again")
        self.choose(menu, "x")
        self.assertEqual(program.exit_code(), 0)
        self.assertIsNone(bar_position(), "the bar is gone")

    def test_a_missing_help_page_is_reported(self):
        program = self.start(with_help=False)
        self.choose(self.open_menu("main-menu-without-help"), "h")
        # Larger than a hint: a box with a line of text and a button.
        boxes = wait_for(lambda: [w for w in self.others_than_the_bar() if w[2] > 100 and w[3] > 40],
                         "the message box")
        screenshot("cannot-find-help")
        self.assertEqual(self.viewer_runs(), [], "nothing was opened")
        self.assertEqual(len(boxes), 1)
        box = boxes[0][4]
        self.assertEqual(xdotool("getwindowname", box).strip(), "Kestrum", "captioned with the program's title")
        xdotool("windowfocus", box)
        xdotool("key", "Return")
        wait_for(lambda: all(w[4] != box for w in visible_windows()), "the box to close")
        self.assertIsNone(program.process.poll(), "the program goes on")


if __name__ == "__main__":
    MARKER = os.path.abspath(sys.argv[2])
    sys.exit(e2e.run_tests(sys.argv[1], sys.argv[3], ":95"))
