#!/usr/bin/env python3
"""Drag and drop in the category window end to end, under Wine on a virtual X display of its own:
files dropped from the drag source through a real OLE drag, icons and rows dragged with real
pointer input; checked by the lists Kestrum writes, the effect the drag source got back, the
markers' records and screenshots (kept in the artefacts folder).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import click, drag, read_text, screenshot, stored_list, wait_for, write_ini


class DragAndDrop(unittest.TestCase):
    def setUp(self):
        self.files = tempfile.mkdtemp(prefix="kestrum-e2e-files-")
        self.addCleanup(shutil.rmtree, self.files, True)
        self.record = os.path.join(self.files, "effects.txt")
        program = e2e.Kestrum(self._testMethodName, prepare=self.make_categories)
        self.addCleanup(program.close)
        self.folder = program.folder

    def make_categories(self, folder):
        """Alpha (a, b, c) and Beta (d), shortcuts to markers; a shortcut d.lnk elsewhere."""
        markers = {m: e2e.marker(self.files, m) for m in "abcde"}
        e2e.make_categories(folder, [e2e.Category("Alpha", {m: markers[m] for m in "abc"}),
                                     e2e.Category("Beta", {"d": markers["d"]})],
                            other_shortcuts={os.path.join(self.files, "d.lnk"): markers["e"]})
        for name in ("one.txt", "two.txt", "three.txt", "Ёлка 😀.txt", "Café.txt"):
            write_ini(os.path.join(self.files, name), name)

    def links(self, category):
        return stored_list(os.path.join(self.folder, category, "config.txt"), "Link")

    @staticmethod
    def window():
        return wait_for(e2e.category_window, "the category window")

    def widest(self):
        return max(len(self.links(name)) for name in ("Alpha", "Beta"))

    def open_window(self):
        e2e.open_category_window()

    def centre(self, row, column):
        return e2e.cell_centre(self.window(), self.widest(), row, column)

    def row_point(self, row, at_name):
        x, y = e2e.row_end(self.window(), row)
        return (self.window()[0] + 12 if at_name else x), y

    def drop_files(self, target, *names, ansi=False):
        """Drags the files from the drag source onto `target`, their names in UTF-16 or, with
        `ansi`, in the ANSI code page; returns the effect it got back."""
        done = len(read_text(self.record).split()) if os.path.exists(self.record) else 0
        source = subprocess.Popen([e2e.WINE, e2e.DRAGSOURCE, *["--ansi"][:ansi], e2e.windows_path(self.record),
                                   *(e2e.windows_path(os.path.join(self.files, n)) for n in names)],
                                  env=e2e.wine_environment(), stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(source.kill)
        wait_for(lambda: [w for w in e2e.visible_windows() if w[:4] == (600, 500, 120, 80)], "the drag source")
        drag((660, 540), target)
        effects = wait_for(lambda: os.path.exists(self.record) and read_text(self.record).split()[done:],
                           "the drag source to finish")
        source.kill()
        source.wait(e2e.TIMEOUT)
        return effects[0]

    def expect_links(self, category, expected, what):
        wait_for(lambda: self.links(category) == expected, f"{what}: {expected} in {category}")
        time.sleep(0.3)  # laid out anew after saving

    def test_files_icons_and_rows_dragged_and_dropped(self):
        self.open_window()
        self.assertEqual(self.drop_files(self.centre(0, 1), "one.txt", "two.txt", "three.txt"), "effect=4")
        self.expect_links("Alpha", ["a.lnk", "one.txt.lnk", "b.lnk", "c.lnk"], "three files dropped on b")
        screenshot("dropped-on-icon")
        self.drop_files(self.row_point(1, at_name=False), "two.txt")
        self.expect_links("Beta", ["d.lnk", "two.txt.lnk"], "a file dropped on empty space")
        self.drop_files(self.row_point(1, at_name=False), "d.lnk")
        self.expect_links("Beta", ["d.lnk", "two.txt.lnk", "d copy0.lnk"], "a shortcut whose name is taken")

        drag(self.centre(0, 0), self.centre(0, 3))
        self.expect_links("Alpha", ["one.txt.lnk", "b.lnk", "a.lnk", "c.lnk"], "a dragged onto c")
        drag(self.centre(0, 3), self.centre(1, 0))
        self.expect_links("Beta", ["c.lnk", "d.lnk", "two.txt.lnk", "d copy0.lnk"], "c dragged onto d")
        self.assertEqual(self.links("Alpha"), ["one.txt.lnk", "b.lnk", "a.lnk"])
        self.assertFalse(os.path.exists(os.path.join(self.folder, "Alpha", "c.lnk")))
        screenshot("icons-moved")
        click(*self.centre(1, 0))
        wait_for(lambda: os.path.exists(os.path.join(self.files, "marker-c.exe.ran")), "the moved icon's program")

        self.open_window()
        drag(self.row_point(1, at_name=True), self.row_point(0, at_name=True),
             before_release=lambda: screenshot("row-dragged"))
        wait_for(lambda: stored_list(os.path.join(self.folder, "config.txt"), "Bar") == ["Beta", "Alpha"],
                 "Beta dragged onto Alpha to go above it")

        beta = ["c.lnk", "d.lnk", "two.txt.lnk", "d copy0.lnk"]
        self.drop_files(self.row_point(0, at_name=False), "Ёлка 😀.txt")
        self.expect_links("Beta", beta + ["Ёлка 😀.txt.lnk"], "a file named in other scripts")
        self.drop_files(self.row_point(0, at_name=False), "Café.txt", ansi=True)
        self.expect_links("Beta", beta + ["Ёлка 😀.txt.lnk", "Café.txt.lnk"], "a name in the ANSI code page")


if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker", "makeshortcut", "dragsource"))
