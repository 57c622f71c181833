#!/usr/bin/env python3
"""The main button window end to end: the real Kestrum.exe under Wine on a virtual X display of
its own, in a data folder made for each test, driven by real pointer input through xdotool and
checked by window geometry and screenshots (kept in the artefacts folder).
"""
import re
import sys
import time
import unittest

import e2e_support as e2e
from e2e_support import (BLACK, Kestrum, bar_position, bar_top_is, bar_windows, run, run_tests, screenshot,
                         tip_at, wait_for, wine, xdotool)

YELLOW = "FFFF00"
HANDLE_X = 74  # a column of the drag handle, in bar coordinates


def asleep(pid):
    """Whether the process stays asleep for a second."""
    before = e2e.wakeups(pid)
    time.sleep(1)
    return e2e.wakeups(pid) == before


class MainButtonWindow(unittest.TestCase):
    def start(self, settings=""):
        xdotool("mousemove", 600, 500)
        program = Kestrum(self._testMethodName, settings)
        self.addCleanup(program.close)
        return program

    def test_its_manifest_names_its_own_processor_and_the_windows_it_supports(self):
        # Windows does not start a program whose manifest names another processor than its own.
        with open(e2e.KESTRUM_EXE, "rb") as exe:
            manifest = re.search(rb"<assembly.*?</assembly>", exe.read(), re.S).group(0).decode()
        processor = {"win32": "x86", "win64": "amd64"}[e2e.winebuild.architecture(e2e.KESTRUM_EXE)]
        self.assertEqual(re.findall(r'processorArchitecture="([^"]*)"', manifest), [processor] * 2,
                         "the program and the common controls it asks for")
        self.assertEqual(len(re.findall(r"<supportedOS Id=", manifest)), 4, "Windows 7, 8, 8.1, 10 and 11")

    def test_slides_with_the_pointer_keeps_its_colour_and_is_dragged_sideways(self):
        program = self.start("[KestrumButton]\nColor=16744448\n")  # blue 255, green 128, red 0
        colour = "0080FF"
        first = wait_for(bar_position, "the bar to appear")
        self.assertGreater(first[1], -26, "the bar starts below its strip")
        # Wine shows a tool window without its own taskbar entry as one the taskbar skips.
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", run("xprop", "-id", bar_windows()[0][4], "_NET_WM_STATE"))
        wait_for(bar_top_is(-26), "the bar to glide up to a 1-pixel strip")
        strip = screenshot("strip")
        self.assertEqual(strip.pixel(78, 0), colour)
        self.assertEqual(strip.pixel(78, 1), BLACK)

        # Nothing wakes the hidden bar: it hears the pointer's move onto its topmost row.
        wait_for(lambda: asleep(program.process.pid), "the program to sleep while nothing moves")
        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down when the pointer touches the strip")
        shown = screenshot("shown")
        self.assertEqual(shown.pixel(78, 0), colour)
        self.assertEqual(shown.pixel(71, 13), colour, "between button and handle")
        self.assertEqual(shown.pixel(78, 26), colour)
        self.assertEqual(shown.pixel(78, 27), BLACK)

        xdotool("mousemove", 30, 12)
        wait_for(lambda: tip_at(30, 12), "the button's hint")
        screenshot("hint")

        xdotool("mousemove", 500, 400)
        wait_for(bar_top_is(-26), "the bar to slide back up when the pointer leaves")

        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down again")
        xdotool("mousemove", HANDLE_X, 12)
        xdotool("mousedown", 1)
        for x in range(HANDLE_X + 1, HANDLE_X + 201, 8):
            xdotool("mousemove", x, 12)
            time.sleep(0.02)  # lets each move arrive as a move of its own
        xdotool("mouseup", 1)
        final_x = HANDLE_X + 193
        # The handle stays under the pointer at the offset where the drag began.
        left, top = wait_for(lambda: (p := bar_position()) and p[0] > 150 and p, "the bar to follow the drag")
        self.assertEqual(top, 0)
        self.assertLessEqual(abs(left - (final_x - HANDLE_X)), 3, f"dragged to left {left}")
        screenshot("dragged")

    def test_visible_height_5_leaves_5_rows_in_the_default_yellow(self):
        self.start("[KestrumButton]\nVisibleHeight=5\n")
        wait_for(bar_top_is(5 - 27), "the bar to glide up to a 5-pixel strip")
        strip = screenshot("strip-5")
        self.assertEqual([strip.pixel(78, y) for y in range(6)], [YELLOW] * 5 + [BLACK])

    def test_second_copy_exits_with_minus_1_and_close_ends_the_first_with_0(self):
        first = self.start()
        wait_for(bar_top_is(-26), "the first copy's bar")
        second = Kestrum("second-copy")
        self.addCleanup(second.close)
        self.assertEqual(second.exit_code(), 255)
        self.assertIsNone(first.process.poll(), "the first copy keeps running")
        self.assertIsNotNone(bar_position(), "the first copy's bar is still the only one")

        wine("taskkill", "/IM", "Kestrum.exe")
        self.assertEqual(first.exit_code(), 0)
        wait_for(lambda: bar_position() is None, "the bar to go")


if __name__ == "__main__":
    sys.exit(run_tests())
