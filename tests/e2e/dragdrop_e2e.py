#!/usr/bin/env python3
"""Drag and drop in the category window end to end, under Wine on a virtual X display of its own
(:121): files dropped from the drag source through a real OLE drag, icons and rows dragged with
real pointer input; checked by the lists Kestrum writes, the effect the drag source got back, the
markers' records and screenshots (kept in the artefacts folder).

Usage: dragdrop_e2e.py KESTRUM_EXE MARKER_EXE MAKESHORTCUT_EXE DRAGSOURCE_EXE ARTEFACTS_FOLDER
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import bar_top_is, click, drag, read_text, screenshot, stored_list, wait_for, write_ini, xdotool

MARKER = MAKESHORTCUT = DRAGSOURCE = ""
CELL = 45  # small icons without titles


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
        write_ini(os.path.join(folder, "config.txt"), "[Bar]\nCount=2\n0=Alpha\n1=Beta\n")
        arguments = []
        for name, markers in (("Alpha", "abc"), ("Beta", "d"), ("", "e")):
            if name:
                os.mkdir(os.path.join(folder, name))
                links = "".join(f"{i}={m}.lnk\n" for i, m in enumerate(markers))
                write_ini(os.path.join(folder, name, "config.txt"), f"[Link]\nCount={len(markers)}\n{links}")
            for marker in markers:
                shutil.copy(MARKER, os.path.join(self.files, f"marker-{marker}.exe"))
                link = os.path.join(folder, name, marker + ".lnk") if name else os.path.join(self.files, "d.lnk")
                arguments += [e2e.windows_path(os.path.join(self.files, f"marker-{marker}.exe")),
                              e2e.windows_path(link)]
        if e2e.wine(MAKESHORTCUT, *arguments) != 0:
            raise RuntimeError("makeshortcut could not write the shortcuts")
        for name in ("one.txt", "two.txt", "three.txt"):
            write_ini(os.path.join(self.files, name), name)

    def links(self, category):
        return stored_list(os.path.join(self.folder, category, "config.txt"), "Link")

    def window(self):
        found = lambda: [w for w in e2e.visible_windows() if w[1] >= e2e.BAR_SIZE[1] and w[3] > 60]
        return wait_for(found, "the category window")[0]

    def open_window(self):
        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down")
        click(30, 12)
        self.window()

    def centre(self, row, column):
        """Of a cell: the icon area ends 15 pixels after the widest row's icons and they start 10
        pixels into it; rows start 2 pixels into the window."""
        left, top, width = self.window()[:3]
        widest = max(len(self.links(name)) for name in ("Alpha", "Beta"))
        return left + width - 1 - 15 - CELL * (widest - column) + 22, top + 2 + CELL * row + 22

    def row_point(self, row, at_name):
        left, top, width = self.window()[:3]
        return (left + 12 if at_name else left + width - 6), top + 2 + CELL * row + 22

    def drop_files(self, target, *names):
        """Drags the files from the drag source onto `target`; returns the effect it got back."""
        done = len(read_text(self.record).split()) if os.path.exists(self.record) else 0
        source = subprocess.Popen([e2e.WINE, DRAGSOURCE, e2e.windows_path(self.record),
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


if __name__ == "__main__":
    kestrum_exe, MARKER, MAKESHORTCUT, DRAGSOURCE, artefacts = map(os.path.abspath, sys.argv[1:6])
    sys.exit(e2e.run_tests(kestrum_exe, artefacts, ":121"))
