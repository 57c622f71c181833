#!/usr/bin/env python3
"""The main button window end to end: the real Kestrum.exe under Wine on a virtual X display of
its own, in a data folder made for each test, driven by real pointer input through xdotool and
checked by window geometry and screenshots (kept in the artefacts folder).

Usage: mainbutton_e2e.py KESTRUM_EXE ARTEFACTS_FOLDER
The tests run in a private copy of the Wine prefix (WINEPREFIX, or the one beside the build
folder) with a wineserver of their own: a prefix whose desktop was first made without a display
(as scripts/common.sh does) cannot show windows on one.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

DISPLAY = os.environ.get("KESTRUM_E2E_DISPLAY", ":93")
SCREEN = (1024, 768)
BAR_SIZE = (80, 27)
BLACK = "000000"  # the virtual display's root window
YELLOW = "FFFF00"
HANDLE_X = 74  # a column of the drag handle, in bar coordinates
TIMEOUT = 15  # seconds for any one condition

EXE = ""
ARTEFACTS = ""


def wait_for(condition, what, timeout=TIMEOUT):
    """Polls `condition` until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=TIMEOUT,
                          stdin=subprocess.DEVNULL).stdout


def xdotool(*arguments):
    return run("xdotool", *map(str, arguments))


def visible_windows():
    """(left, top, width, height, X window id) of every visible window."""
    windows = []
    for window in xdotool("search", "--onlyvisible", "--class", "").split():
        fields = dict(line.split("=", 1) for line in
                      xdotool("getwindowgeometry", "--shell", window).split() if "=" in line)
        if fields:
            windows.append(tuple(int(fields[key]) for key in ("X", "Y", "WIDTH", "HEIGHT")) + (window,))
    return windows


def bar_windows():
    return [w for w in visible_windows() if w[2:4] == BAR_SIZE]


def bar_position():
    """The (left, top) of the one visible 80 x 27 window, or None."""
    found = bar_windows()
    return found[0][:2] if len(found) == 1 else None


def tip_below(bar):
    """A small window just below the bar: the tool tip of the control under the pointer."""
    return [w for w in visible_windows() if w[1] >= bar[1] + BAR_SIZE[1] and w[3] < 40 and w[2] < 200]


def bar_top_is(top):
    return lambda: (position := bar_position()) is not None and position[1] == top and position


def screenshot(name):
    path = os.path.join(ARTEFACTS, name + ".png")
    run("import", "-window", "root", path)
    return path


def pixel(path, x, y):
    """The colour at (x, y) of a screenshot as RRGGBB."""
    text = run("convert", path, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-")
    # "# ImageMagick pixel enumeration: ..." then "0,0: (0,128,255)  #0080FF  srgb(...)"
    return text.strip().splitlines()[-1].split("#", 1)[1][:6].upper()


PREFIX = ""  # the private copy


def wine_environment():
    environment = dict(os.environ, DISPLAY=DISPLAY, WINEPREFIX=PREFIX)
    environment.setdefault("WINEARCH", "win32")
    environment.setdefault("WINEDEBUG", "-all")
    environment.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    return environment


class PrivateWinePrefix:
    def __enter__(self):
        global PREFIX
        source = os.environ.get("WINEPREFIX") or os.path.join(os.path.dirname(os.path.dirname(EXE)), "wineprefix")
        self.parent = tempfile.mkdtemp(prefix="kestrum-e2e-prefix-")
        PREFIX = os.path.join(self.parent, "prefix")
        shutil.copytree(source, PREFIX, symlinks=True)
        return self

    def __exit__(self, *_):
        subprocess.run(["wineserver", "-k"], env=wine_environment(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        shutil.rmtree(self.parent, ignore_errors=True)


class Kestrum:
    """One copy of the program in a data folder of its own, with the given settings.txt."""

    def __init__(self, name, settings=""):
        self.name = name
        self.folder = tempfile.mkdtemp(prefix="kestrum-e2e-")
        self.exe = os.path.join(self.folder, "Kestrum.exe")
        shutil.copy(EXE, self.exe)
        if settings:
            with open(os.path.join(self.folder, "settings.txt"), "w", newline="\r\n") as file:
                file.write(settings)
        self.process = self.launch()

    def launch(self):
        # Output goes to a file: Wine's services inherit it and would hold a pipe open.
        with open(os.path.join(self.folder, "wine.log"), "ab") as log:
            return subprocess.Popen(["wine", self.exe], cwd=self.folder, env=wine_environment(),
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def exit_code(self, timeout=TIMEOUT):
        return self.process.wait(timeout)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(TIMEOUT)
        # What Wine said is kept beside the screenshots.
        shutil.copy(os.path.join(self.folder, "wine.log"), os.path.join(ARTEFACTS, self.name + "-wine.log"))
        shutil.rmtree(self.folder, ignore_errors=True)


class VirtualDisplay:
    def __enter__(self):
        self.server = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-br",
                                        "-nolisten", "tcp"], stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = DISPLAY
        wait_for(lambda: subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0, "the virtual display")
        if self.server.poll() is not None:
            raise RuntimeError(f"display {DISPLAY} belongs to another X server; set KESTRUM_E2E_DISPLAY")
        return self

    def __exit__(self, *_):
        self.server.terminate()
        self.server.wait(TIMEOUT)


class MainButtonWindow(unittest.TestCase):
    def start(self, settings=""):
        xdotool("mousemove", 600, 500)
        program = Kestrum(self._testMethodName, settings)
        self.addCleanup(program.close)
        return program

    def test_slides_with_the_pointer_keeps_its_colour_and_is_dragged_sideways(self):
        self.start("[KestrumButton]\nColor=16744448\n")  # blue 255, green 128, red 0
        colour = "0080FF"
        first = wait_for(bar_position, "the bar to appear")
        self.assertGreater(first[1], -26, "the bar starts below its strip")
        # Wine shows a tool window without its own taskbar entry as one the taskbar skips.
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", run("xprop", "-id", bar_windows()[0][4], "_NET_WM_STATE"))
        wait_for(bar_top_is(-26), "the bar to glide up to a 1-pixel strip")
        strip = screenshot("strip")
        self.assertEqual(pixel(strip, 78, 0), colour)
        self.assertEqual(pixel(strip, 78, 1), BLACK)

        xdotool("mousemove", 40, 0)
        wait_for(bar_top_is(0), "the bar to come down when the pointer touches the strip")
        shown = screenshot("shown")
        self.assertEqual(pixel(shown, 78, 0), colour)
        self.assertEqual(pixel(shown, 71, 13), colour, "between button and handle")
        self.assertEqual(pixel(shown, 78, 26), colour)
        self.assertEqual(pixel(shown, 78, 27), BLACK)

        xdotool("mousemove", 30, 12)
        wait_for(lambda: tip_below((0, 0)), "the button's hint")
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
        self.assertEqual([pixel(strip, 78, y) for y in range(6)], [YELLOW] * 5 + [BLACK])

    def test_second_copy_exits_with_minus_1_and_close_ends_the_first_with_0(self):
        first = self.start()
        wait_for(bar_top_is(-26), "the first copy's bar")
        second = Kestrum("second-copy")
        self.addCleanup(second.close)
        self.assertEqual(second.exit_code(), 255)
        self.assertIsNone(first.process.poll(), "the first copy keeps running")
        self.assertIsNotNone(bar_position(), "the first copy's bar is still the only one")

        subprocess.run(["wine", "taskkill", "/IM", "Kestrum.exe"], env=wine_environment(),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=TIMEOUT)
        self.assertEqual(first.exit_code(), 0)
        wait_for(lambda: bar_position() is None, "the bar to go")


if __name__ == "__main__":
    EXE, ARTEFACTS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(ARTEFACTS, exist_ok=True)
    with VirtualDisplay(), PrivateWinePrefix():
        result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
