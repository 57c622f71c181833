"""What the end-to-end tests share: a virtual X display, a private copy of the Wine prefix, the
real Kestrum.exe started in a data folder of its own, pointer input through xdotool, window
places and screenshots (kept in the artefacts folder).

A test file calls run_tests(): its test cases then run on a virtual display of their own in a
private copy of the Wine prefix (WINEPREFIX, or the one beside the build folder) with a
wineserver of their own, since a prefix whose desktop was first made without a display (as
scripts/common.sh does) cannot show windows on one.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import winebuild  # noqa: E402

SCREEN = (1024, 768)
BAR_SIZE = (80, 27)
BLACK = "000000"  # the virtual display's root window
WHITE = "FFFFFF"
TIMEOUT = 15  # seconds for any one condition

KESTRUM_EXE = ""  # set by run_tests
ARTEFACTS = ""
DISPLAY = ""
PREFIX = ""  # the private copy
WINE = "wine"  # the loader of the build under test


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


def click(x, y, button=1):
    """Moves the pointer to (x, y) and presses and releases `button` there."""
    xdotool("mousemove", x, y)
    time.sleep(0.05)  # lets the move arrive as a move of its own
    xdotool("mousedown", button)
    xdotool("mouseup", button)


def visible_windows():
    """(left, top, width, height, X window id) of every visible window but the desktop's."""
    windows = []
    for window in xdotool("search", "--onlyvisible", "--class", "").split():
        fields = dict(line.split("=", 1) for line in
                      xdotool("getwindowgeometry", "--shell", window).split() if "=" in line)
        if fields:
            geometry = tuple(int(fields[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
            if geometry != (0, 0) + SCREEN:
                windows.append(geometry + (window,))
    return windows


def bar_windows():
    return [w for w in visible_windows() if w[2:4] == BAR_SIZE]


def bar_position():
    """The (left, top) of the one visible 80 x 27 window, or None."""
    found = bar_windows()
    return found[0][:2] if len(found) == 1 else None


def bar_top_is(top):
    return lambda: (position := bar_position()) is not None and position[1] == top and position


def window_title(window_id):
    """The title of an X window, once it has one: Wine may map a window before naming it."""
    return wait_for(lambda: xdotool("getwindowname", window_id).strip(), "the window's title")


def tip_at(x, y):
    """A small window just below the point (x, y), as a tool tip shown at the pointer is."""
    return [w for w in visible_windows()
            if y < w[1] <= y + 40 and abs(w[0] - x) <= 30 and w[2] < 200 and w[3] < 40]


def write_ini(path, text):
    with open(path, "w", newline="\r\n") as file:
        file.write(text)


def read_text(path):
    with open(path) as file:
        return file.read()


def stored_list(path, section):
    """The numbered list of `section` in one of Kestrum's INI files."""
    values, current = {}, None
    for line in read_text(path).splitlines():
        if line.startswith("["):
            current = line.strip("[] ").lower()
        elif current == section.lower() and "=" in line:
            key, value = line.split("=", 1)
            values.setdefault(key.strip().lower(), value.strip())
    return [values.get(str(i)) for i in range(int(values.get("count", 0)))]


def drag(start, end, before_release=lambda: None):
    """Presses the left button at `start`, moves to `end` in ten steps and releases there."""
    xdotool("mousemove", *start)
    time.sleep(0.1)
    xdotool("mousedown", 1)
    for i in range(1, 11):
        xdotool("mousemove", start[0] + (end[0] - start[0]) * i // 10, start[1] + (end[1] - start[1]) * i // 10)
        time.sleep(0.05)
    xdotool("mousemove", end[0] + 1, end[1])
    time.sleep(0.3)
    before_release()
    xdotool("mouseup", 1)


class Picture:
    """A screenshot of the whole screen, saved as NAME.png in the artefacts folder."""

    def __init__(self, name):
        self.path = os.path.join(ARTEFACTS, name + ".png")
        run("import", "-window", "root", self.path)
        data = subprocess.run(["convert", self.path, "ppm:-"], capture_output=True, timeout=TIMEOUT).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width = int(header.group(1))
        self.rgb = data[header.end():]

    def pixel(self, x, y):
        """The colour at (x, y) as RRGGBB."""
        offset = 3 * (y * self.width + x)
        return self.rgb[offset:offset + 3].hex().upper()

    def pixels(self, left, top, width, height):
        """{(x, y): RRGGBB} of a rectangle."""
        return {(x, y): self.pixel(x, y) for y in range(top, top + height) for x in range(left, left + width)}


def screenshot(name):
    return Picture(name)


def wine_environment():
    return winebuild.environment(KESTRUM_EXE, DISPLAY=DISPLAY, WINEPREFIX=PREFIX)


def wine(*command):
    """Runs a Windows program to its end; returns its exit code."""
    return subprocess.run([WINE, *command], env=wine_environment(), stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT).returncode


def windows_path(path):
    """The name under which Windows programs see a file of ours (Wine's Z: drive is /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class PrivateWinePrefix:
    def __enter__(self):
        global PREFIX
        source = os.environ.get("WINEPREFIX") or winebuild.default_prefix(
            os.path.dirname(os.path.dirname(KESTRUM_EXE)), KESTRUM_EXE)
        self.parent = tempfile.mkdtemp(prefix="kestrum-e2e-prefix-")
        PREFIX = os.path.join(self.parent, "prefix")
        shutil.copytree(source, PREFIX, symlinks=True)
        return self

    def __exit__(self, *_):
        subprocess.run(["wineserver", "-k"], env=wine_environment(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        shutil.rmtree(self.parent, ignore_errors=True)


class Kestrum:
    """One copy of the program in a data folder of its own, with the given settings.txt;
    `prepare`, when given, fills the folder before the program starts."""

    def __init__(self, name, settings="", prepare=None):
        self.name = name
        self.folder = tempfile.mkdtemp(prefix="kestrum-e2e-")
        self.exe = os.path.join(self.folder, "Kestrum.exe")
        shutil.copy(KESTRUM_EXE, self.exe)
        if settings:
            with open(os.path.join(self.folder, "settings.txt"), "w", newline="\r\n") as file:
                file.write(settings)
        if prepare:
            prepare(self.folder)
        self.process = self.launch()

    def launch(self):
        # Output goes to a file: Wine's services inherit it and would hold a pipe open.
        with open(os.path.join(self.folder, "wine.log"), "ab") as log:
            return subprocess.Popen([WINE, self.exe], cwd=self.folder, env=wine_environment(),
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


def run_tests(kestrum_exe, artefacts, default_display):
    """Runs the test cases of the calling script (on KESTRUM_E2E_DISPLAY, else `default_display`);
    returns the exit status."""
    global KESTRUM_EXE, ARTEFACTS, DISPLAY, WINE
    KESTRUM_EXE, ARTEFACTS = os.path.abspath(kestrum_exe), os.path.abspath(artefacts)
    WINE = winebuild.loader(KESTRUM_EXE)
    DISPLAY = os.environ.get("KESTRUM_E2E_DISPLAY", default_display)
    os.makedirs(ARTEFACTS, exist_ok=True)
    with VirtualDisplay(), PrivateWinePrefix():
        result = unittest.main(argv=["e2e"], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1
