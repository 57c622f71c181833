#!/usr/bin/env python3
"""The main menu end to end: the real Kestrum.exe under Wine on a virtual X display of its own,
started from a working folder that is not its own (as at log-on) and holds a decoy help.htm. In
the test run's private prefix a marker program opens .htm files, so its record tells which page
the shell was asked to open.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import (bar_position, bar_top_is, choose_from_main_menu, gone, others_than_the_bar, screenshot,
                         wait_for, wine, xdotool)

class StartedElsewhere(e2e.Kestrum):
    def launch(self):
        self.working_folder = tempfile.mkdtemp(prefix="kestrum-e2e-cwd-")
        with open(os.path.join(self.working_folder, "help.htm"), "w") as decoy:
            decoy.write("<html>not this one</html>")
        with open(os.path.join(self.folder, "wine.log"), "ab") as log:
            return subprocess.Popen([e2e.WINE, self.exe], cwd=self.working_folder, env=e2e.wine_environment(),
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def close(self):
        super().close()
        shutil.rmtree(self.working_folder, ignore_errors=True)


class MainMenu(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.viewers = tempfile.mkdtemp(prefix="kestrum-e2e-viewer-")
        cls.viewer = e2e.marker(cls.viewers, "helpviewer")
        for key, data in ((r"HKCR\.htm", "KestrumTestPage"),
                          (r"HKCR\KestrumTestPage\shell\open\command", f'"{e2e.windows_path(cls.viewer)}" "%1"')):
            if wine("reg", "add", key, "/ve", "/d", data, "/f") != 0:
                raise RuntimeError(f"could not register {key}")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.viewers, ignore_errors=True)

    def start(self, with_help):
        if os.path.exists(self.viewer + ".ran"):
            os.remove(self.viewer + ".ran")
        xdotool("mousemove", 600, 500)
        built_page = os.path.join(os.path.dirname(e2e.KESTRUM_EXE), "help.htm")
        program = StartedElsewhere(self._testMethodName,
                                   prepare=lambda folder: with_help and shutil.copy(built_page, folder))
        self.addCleanup(program.close)
        wait_for(bar_top_is(-26), "the bar to glide up to its strip")
        return program

    def viewer_runs(self):
        return e2e.marker_runs(self.viewers).get("helpviewer", [])

    @staticmethod
    def choose(access_key, picture=None):
        menu = choose_from_main_menu(access_key, picture)
        xdotool("mousemove", 600, 500)  # takes the button's hint away with the pointer
        return menu

    def test_menu_at_the_pointer_help_beside_the_program_and_exit_with_0(self):
        program = self.start(with_help=True)
        menu = self.choose("h", picture="main-menu")
        self.assertLessEqual(abs(menu[0] - 30) + abs(menu[1] - 12), 4, f"the menu opens at the pointer: {menu}")
        self.assertEqual(wait_for(self.viewer_runs, "the shell to open the page"),
                         [e2e.windows_path(os.path.join(program.folder, "help.htm"))])
        time.sleep(3)  # time for a "Cannot find help.htm" box to show
        self.assertEqual(others_than_the_bar(), [], "no message box")

        self.choose("x")
        self.assertEqual(program.exit_code(), 0)
        self.assertIsNone(bar_position(), "the bar is gone")

    def test_a_missing_help_page_is_reported(self):
        program = self.start(with_help=False)
        self.choose("h")
        # Larger than a hint: a line of text and a button. Wine may show a message box's parts for a
        # moment before it, and names a window only after showing it.
        boxes = wait_for(lambda: [w[4] for w in others_than_the_bar()
                                  if w[2] > 100 and w[3] > 40 and e2e.has_title(w[4])], "the box")
        screenshot("cannot-find-help")
        self.assertEqual(len(boxes), 1)
        self.assertEqual(e2e.window_title(boxes[0]), "Kestrum", "the program's title")
        self.assertEqual(self.viewer_runs(), [], "nothing was opened")
        xdotool("windowfocus", boxes[0])
        xdotool("key", "Return")
        wait_for(gone(boxes[0]), "the box to close")
        self.assertIsNone(program.process.poll(), "the program goes on")


if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker"))
