#!/usr/bin/env python3
"""A few minutes of use in one run of the real Kestrum.exe under Wine: the window
opened and closed again and again, the pointer over every icon, icons dragged within their row and
into another category and back, rows dragged, the command window used. The handles the program
reports holding (GDI objects, memory DCs, windows) must be the same after the last round as
after the first, its memory must stay flat, and every file it wrote must still read whole.
"""
import glob
import os
import shutil
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import drag, read_text, stored_list, wait_for, xdotool

ROUNDS = 12
CATEGORIES = {"Alpha": "abcd", "Beta": "ef", "Gamma": "g"}
MEMORY_GROWTH_ALLOWED_MB = 2


def resident_megabytes():
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                if not file.read().split(b"\0")[0].endswith(b"Kestrum.exe"):
                    continue
            with open(f"/proc/{pid}/status") as file:
                return next(int(line.split()[1]) / 1024 for line in file if line.startswith("VmRSS:"))
        except OSError:
            continue
    raise AssertionError("no Kestrum.exe process")


class Soak(unittest.TestCase):
    def setUp(self):
        self.report = os.path.join(tempfile.mkdtemp(prefix="kestrum-e2e-soak-"), "handles.txt")
        self.addCleanup(shutil.rmtree, os.path.dirname(self.report), True)
        os.environ["KESTRUM_HANDLE_REPORT"] = e2e.windows_path(self.report)
        self.addCleanup(os.environ.pop, "KESTRUM_HANDLE_REPORT")
        program = e2e.Kestrum(self._testMethodName, prepare=self.make_categories)
        self.addCleanup(program.close)
        self.program = program
        self.folder = program.folder

    @staticmethod
    def make_categories(folder):
        e2e.make_categories(folder, [e2e.Category(name, {m: e2e.marker(folder, m) for m in markers})
                                     for name, markers in CATEGORIES.items()])

    def order(self):
        return stored_list(os.path.join(self.folder, "config.txt"), "Bar")

    def links(self, category):
        return stored_list(os.path.join(self.folder, category, "config.txt"), "Link")

    def widest(self):
        return max(len(self.links(name)) for name in CATEGORIES)

    def centre(self, window, category, column):
        return e2e.cell_centre(window, self.widest(), self.order().index(category), column)

    def row_point(self, window, category):
        return e2e.row_end(window, self.order().index(category))

    def settle(self, condition, what):
        wait_for(condition, what)
        time.sleep(0.3)  # laid out anew after saving

    def one_round(self):
        window = e2e.open_category_window()
        for category in self.order():
            for column in list(range(len(self.links(category)))) * 2:
                xdotool("mousemove", *self.centre(window, category, column))
        first = self.links("Alpha")
        drag(self.centre(window, "Alpha", 0), self.centre(window, "Alpha", 2))
        self.settle(lambda: self.links("Alpha") == first[1:2] + first[:1] + first[2:], "an icon moved in its row")
        moved = self.links("Alpha")[0]
        drag(self.centre(window, "Alpha", 0), self.row_point(window, "Beta"))
        self.settle(lambda: self.links("Beta")[-1:] == [moved], "an icon moved into Beta")
        window = wait_for(e2e.category_window, "the category window")
        drag(self.centre(window, "Beta", len(self.links("Beta")) - 1), self.row_point(window, "Alpha"))
        self.settle(lambda: self.links("Alpha")[-1:] == [moved], "the icon moved back")
        window = wait_for(e2e.category_window, "the category window")
        rows = self.order()
        drag(self.row_point(window, rows[-1]), self.row_point(window, rows[0]))
        self.settle(lambda: self.order() == rows[-1:] + rows[:-1], "a row moved")
        e2e.open_command_window()
        xdotool("type", "a")
        xdotool("key", "Down", "Escape")
        wait_for(lambda: e2e.category_window() is None, "both windows to close")

    def held(self):
        """What the program last reported holding, once a report newer than now is there."""
        asked = time.time()
        wait_for(lambda: os.path.exists(self.report) and os.path.getmtime(self.report) > asked, "a handle report")
        return read_text(self.report).splitlines()

    def test_handles_and_memory_stay_flat_and_every_file_reads_whole(self):
        wait_for(e2e.bar_position, "the bar")
        self.one_round()  # the first use makes what stays for the program's life
        handles, memory = self.held(), resident_megabytes()
        for _ in range(ROUNDS):
            self.one_round()
        handles_after, memory_after = self.held(), resident_megabytes()
        print(f"\nafter round 1: {handles}, {memory:.1f} MB; after round {ROUNDS + 1}: {handles_after}, "
              f"{memory_after:.1f} MB", file=sys.stderr)
        self.assertEqual(handles_after, handles)
        self.assertLess(memory_after - memory, MEMORY_GROWTH_ALLOWED_MB)

        e2e.wine("taskkill", "/IM", "Kestrum.exe")
        self.assertEqual(self.program.exit_code(), 0)
        self.assertEqual(sorted(self.order()), sorted(CATEGORIES))
        for category, markers in CATEGORIES.items():
            listed = self.links(category)
            self.assertEqual(sorted(listed), sorted(m + ".lnk" for m in markers), category)
            self.assertEqual(sorted(listed), sorted(os.path.basename(f) for f in
                                                    glob.glob(os.path.join(self.folder, category, "*.lnk"))))
        self.assertEqual(glob.glob(os.path.join(self.folder, "**", "*.saving"), recursive=True), [])


if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker", "makeshortcut"))
