"""What the end-to-end tests share: a virtual X display, a private copy of the Wine prefix, the
real Kestrum.exe started in a data folder of its own made to measure, the helper programs built
with the tests, pointer input through xdotool, window places and screenshots (kept in the
artefacts folder).

A test file calls run_tests(): its test cases then run on a virtual display of their own in a
private copy of the Wine prefix (WINEPREFIX, or the one beside the build folder) with a
wineserver of their own, since a prefix whose desktop was first made without a display (as
scripts/common.sh does) cannot show windows on one. Every test file takes the same options:
--kestrum and --artefacts, one per helper program it needs (--marker, --makeshortcut, ...), and
--dpi N, the display scale the prefix gives its programs (96 unless given).
"""
import argparse
import contextlib
import dataclasses
import glob
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


def dpi_asked():
    """The scale --dpi asks for; read at import, so that the figures below follow it."""
    arguments = sys.argv[1:]
    return int(arguments[arguments.index("--dpi") + 1]) if "--dpi" in arguments else 96


DPI = dpi_asked()


def px(units):
    """A figure of the windows, in 96-DPI units, in the display's pixels, rounded as Kestrum
    rounds it (halves away from zero)."""
    scaled = abs(units) * DPI
    return (scaled + 48) // 96 * (1 if units >= 0 else -1)


def units(pixels):
    """Pixels of the display back in 96-DPI units, rounded as Kestrum rounds them."""
    return (pixels * 96 + DPI // 2) // DPI


def drawn_icon_size(size_units):
    """The picture an icon of `size_units` is drawn at: taken from its file at the scaled size."""
    return px(size_units)


SCREEN = (1024, 768)
BAR_SIZE = (px(80), px(27))
BLACK = "000000"  # the virtual display's root window
WHITE = "FFFFFF"
TIMEOUT = 15  # seconds for any one condition
CELL_UNITS = 45  # of the category window with small icons without titles: 45 x 45 cells in rows 45 high
CELL = CELL_UNITS * DPI // 96  # in pixels, rounded down: every cell is at least that large

# Each test file's own display, so that they can run side by side; KESTRUM_E2E_DISPLAY puts every
# one on the display it names instead, for people who run them beside each other's.
DISPLAYS = {
    "mainbutton_e2e": ":93",
    "barwindow_e2e": ":94",
    "mainmenu_e2e": ":95",
    "soak_e2e": ":96",
    "hostile_e2e": ":97",
    "dialogs_e2e": ":98",
    "settings_e2e": ":99",
    "commands_e2e": ":111",
    "dragdrop_e2e": ":121",
    "command_e2e": ":131",
    "typing_bench": ":132",  # bench/typing_bench.py
}

# The helper programs built with the tests, each named by an option of its own.
HELPERS = {
    "marker": "Marker.cpp: records each of its runs in a file beside itself",
    "makeshortcut": "tools/Makeshortcut.cpp: writes shortcut files",
    "dragsource": "Dragsource.cpp: drags files onto other programs through OLE",
    "holder": "Holder.cpp: takes Ctrl+J first, or covers the screen",
    "accesswalk": "Accesswalk.cpp: reads a window's accessible objects",
    "planted": "Planted.cpp: a library that records being loaded",
}

KESTRUM_EXE = ""  # set by run_tests
ARTEFACTS = ""
MARKER = MAKESHORTCUT = DRAGSOURCE = HOLDER = ACCESSWALK = PLANTED = ""
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
            raise AssertionError(f"timed out after {timeout} s waiting for {what() if callable(what) else what}")
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


def others_than_the_bar():
    return [w for w in visible_windows() if w[2:4] != BAR_SIZE]


def gone(window_id):
    """A condition: the X window shows no more. Hiding a window that Wine had activated takes 2 s
    without a window manager."""
    return lambda: all(w[4] != window_id for w in visible_windows())


def press_main_button(button=1, bar_left=0):
    """Brings the bar (its left edge at `bar_left`) down with the pointer and presses the main
    button (the left button opens the category window, the right one the main menu); returns the
    bar's place."""
    xdotool("mousemove", bar_left + px(40), 0)
    bar = wait_for(bar_top_is(0), "the bar to come down")
    click(bar_left + px(30), px(12), button)
    return bar


def drag_bar(to_left):
    """Brings the bar down and drags it sideways by its handle until its left edge is at `to_left`
    (within the pixel the press point rounds to above 96 DPI, however many steps); returns its
    place."""
    xdotool("mousemove", px(40), 0)
    wait_for(bar_top_is(0), "the bar to come down")
    handle_x = px(74)
    xdotool("mousemove", handle_x, px(12))
    xdotool("mousedown", 1)
    # The bar is grabbed where the first move with the button held finds the pointer: one pixel
    # on. Then in steps small enough that the pointer stays on the bar that follows it.
    grab_x = handle_x + 1
    for x in list(range(grab_x, to_left + grab_x, 8)) + [to_left + grab_x]:
        xdotool("mousemove", x, px(12))
        time.sleep(0.02)  # lets each move arrive as a move of its own
    xdotool("mouseup", 1)
    return wait_for(lambda: (p := bar_position()) and abs(p[0] - to_left) <= 1 and p,
                    lambda: f"the bar to follow the drag, at {bar_position()}")


def category_window():
    """The first visible window below the bar that is taller than a tip or a menu item, or None."""
    found = [w for w in visible_windows() if w[1] >= BAR_SIZE[1] and w[3] > 60]
    return found[0] if found else None


def open_category_window():
    press_main_button()
    return wait_for(category_window, "the category window")


def choose_from_main_menu(access_key, picture=None):
    """Opens the main menu, saves a screenshot of it as `picture` when given and picks an item by
    its access key; returns the menu's window."""
    press_main_button(3)
    menu = wait_for(lambda: len(found := others_than_the_bar()) == 1 and found[0], "the main menu")
    if picture:
        screenshot(picture)
    xdotool("windowfocus", menu[4])
    xdotool("key", access_key)
    wait_for(gone(menu[4]), "the menu to close")
    return menu


def open_command_window():
    """Presses Ctrl+J and gives the command window the keyboard, which without a window manager
    goes where the X focus is; returns the window's X id."""
    xdotool("key", "ctrl+j")
    command = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^Command$").split(),
                       "the command window")[0]
    xdotool("windowfocus", command)
    return command


def title_now(window_id):
    return xdotool("getwindowname", window_id).strip()


def has_title(window_id):
    return bool(title_now(window_id))


def window_title(window_id):
    """The title of an X window, once it has one: Wine may map a window before naming it."""
    return wait_for(lambda: title_now(window_id), "the window's title")


def tip_at(x, y):
    """A small window just below the point (x, y), as a tool tip shown at the pointer is."""
    return [w for w in visible_windows()
            if y < w[1] <= y + 40 and abs(w[0] - x) <= 30 and w[2] < 200 and w[3] < 40]


def cell_corner(window, widest, row, column):
    """The screen place of a cell's top-left corner in the category window `window` whose widest
    row holds `widest` icons: the icons come after the widest name box, 10 pixels into their area,
    which ends 15 pixels after them, before the window's right frame; rows start 2 pixels into the
    window."""
    x, y = cell_units(window, widest, row, column)
    return window[0] + px(x), window[1] + px(y)


def cell_units(window, widest, row, column):
    """The place of that cell's top-left corner in the window, in units."""
    icon_area = 10 + CELL_UNITS * widest + 15
    return units(window[2]) - 1 - icon_area + 10 + CELL_UNITS * column, 2 + CELL_UNITS * row


def on_screen(corner, rect):
    """The rectangle `rect` (left, top, width, height in units) of a window whose corner lies at
    the screen point `corner`, as "left top width height" in pixels on the screen."""
    left, top, width, height = rect
    return (f"{corner[0] + px(left)} {corner[1] + px(top)} {px(left + width) - px(left)} "
            f"{px(top + height) - px(top)}")


def cell_centre(window, widest, row, column):
    x, y = cell_corner(window, widest, row, column)
    return x + CELL // 2, y + CELL // 2


def row_end(window, row):
    """A point of the category window `window` in the empty part at the end of a row."""
    return window[0] + window[2] - px(6), window[1] + px(2 + CELL_UNITS * row + CELL_UNITS // 2)


def write_ini(path, text):
    with open(path, "w", newline="\r\n") as file:
        file.write(text)


def numbered_list(section, values):
    """An INI section listing `values` as Kestrum keeps its lists: Count, then 0, 1, ..."""
    return f"[{section}]\nCount={len(values)}\n" + "".join(f"{i}={value}\n" for i, value in enumerate(values))


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
    """A screenshot of the whole screen, saved as NAME.png in the artefacts folder (NAME-DPI.png
    at another scale than 96)."""

    def __init__(self, name):
        self.path = os.path.join(ARTEFACTS, name + ("" if DPI == 96 else f"-{DPI}") + ".png")
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


def wine(*command, timeout=TIMEOUT):
    """Runs a Windows program to its end; returns its exit code."""
    return subprocess.run([WINE, *command], env=wine_environment(), stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout).returncode


def windows_path(path):
    """The name under which Windows programs see a file of ours: Wine's C: drive is the prefix's
    drive_c, its Z: drive is /."""
    path = os.path.abspath(path)
    drive_c = os.path.join(PREFIX, "drive_c") if PREFIX else None
    if drive_c and path.startswith(drive_c + os.sep):
        return "C:" + path[len(drive_c):].replace("/", "\\")
    return "Z:" + path.replace("/", "\\")


def write_shortcuts(shortcuts):
    """Writes every shortcut of {link path: target path} in one run of the shortcut maker: a start
    of Wine for each would take most of a test's set-up time. Each shortcut adds a second to the
    time allowed: forty of them, written while Wine was starting in a fresh prefix on a busy
    machine, once took longer than TIMEOUT."""
    if not shortcuts:
        return
    paths = (windows_path(path) for link, target in shortcuts.items() for path in (target, link))
    if wine(MAKESHORTCUT, *paths, timeout=TIMEOUT + len(shortcuts)):
        raise RuntimeError(f"makeshortcut could not write every one of {sorted(shortcuts)}")


def marker(folder, name):
    """Copies the marker program to FOLDER/marker-NAME.exe and returns that path: each run of the
    copy appends a line of its arguments to marker-NAME.exe.ran beside it."""
    return shutil.copy(MARKER, os.path.join(folder, f"marker-{name}.exe"))


def accessible_walk(folder, point, start="", states=False):
    """What Accesswalk.cpp reads of the window at the screen point `point` (and the default action
    of the element named `start`; with `states`, each element's focused and selected states and
    what has the focus), written to a file in `folder` and echoed: one list of fields per line."""
    record = os.path.join(folder, "walk.txt")
    options = [start, "states"] if states else [start][:bool(start)]
    if wine(ACCESSWALK, windows_path(record), *map(str, point), *options):
        raise AssertionError(f"the window at {point} gives no accessible object")
    lines = read_text(record).splitlines()
    print("\n".join(lines), file=sys.stderr)
    return [line.split("\t") for line in lines]


# Libraries Kestrum loads that are not Windows' known system libraries, planted beside it, and
# Wine told to prefer a library beside the program for them, as Windows does for such names: the
# accessibility library, which the program loads itself, and Common Controls, which the manifest
# names.
PLANTED_NAMES = ["OLEACC.dll", "COMCTL32.dll"]
PREFER_PLANTED = {"WINEDLLOVERRIDES": "oleacc,comctl32=n,b;mscoree,mshtml,winemenubuilder.exe="}


def plant_libraries(folder):
    """Copies of the planted library under PLANTED_NAMES in `folder`."""
    for name in PLANTED_NAMES:
        shutil.copy(PLANTED, os.path.join(folder, name))


def planted_libraries_loaded(folder):
    return sorted(os.path.basename(path) for path in glob.glob(os.path.join(folder, "*.loaded")))


def marker_runs(*folders):
    """{NAME: [the arguments of each run]} of every marker copy in `folders` that has run."""
    return {os.path.basename(record)[len("marker-"):-len(".exe.ran")]: read_text(record).splitlines()
            for folder in folders for record in glob.glob(os.path.join(folder, "marker-*.exe.ran"))}


@dataclasses.dataclass
class Category:
    """A category of a data folder: its name; its shortcuts in order, each name (without ".lnk")
    with the path of its target, or None for an empty file that shows as a cell all the same; its
    settings.txt; and whether its config.txt lists the shortcuts (else the program finds them)."""
    name: str
    shortcuts: dict
    settings: str = ""
    listed: bool = True


def make_categories(folder, categories, other_shortcuts=None):
    """Writes the list of `categories` into the data folder `folder`, and each category's folder
    with its settings and shortcuts; those and `other_shortcuts` ({link path: target path}) are
    written in one run of the shortcut maker."""
    write_ini(os.path.join(folder, "config.txt"), numbered_list("Bar", [category.name for category in categories]))
    shortcuts = dict(other_shortcuts or {})
    for category in categories:
        path = os.path.join(folder, category.name)
        os.mkdir(path)
        if category.settings:
            write_ini(os.path.join(path, "settings.txt"), category.settings)
        if category.listed:
            links = [name + ".lnk" for name in category.shortcuts]
            write_ini(os.path.join(path, "config.txt"), numbered_list("Link", links))
        for name, target in category.shortcuts.items():
            link = os.path.join(path, name + ".lnk")
            if target is None:
                write_ini(link, "")
            else:
                shortcuts[link] = target
    write_shortcuts(shortcuts)


def users_desktop(folder):
    """Categories of what users' folders hold: programs that Wine ships, each with an icon of its
    own, then a folder, a document (written into `folder`) and a target that is gone."""
    windows = os.path.join(PREFIX, "drive_c", "windows")
    document = os.path.join(folder, "notes.txt")
    write_ini(document, "A document\n")
    return [Category("Programs", {name: os.path.join(windows, place, name + ".exe") for place, name in
                                  [("system32", "notepad"), ("", "regedit"), ("system32", "winemine"),
                                   ("system32", "cmd")]}),
            Category("Files", {"Windows": windows, "Notes": document, "Gone": os.path.join(folder, "gone.exe")})]


class PrivateWinePrefix:
    def __enter__(self):
        global PREFIX
        source = os.environ.get("WINEPREFIX") or winebuild.default_prefix(
            os.path.dirname(os.path.dirname(KESTRUM_EXE)), KESTRUM_EXE)
        self.parent = tempfile.mkdtemp(prefix="kestrum-e2e-prefix-")
        PREFIX = os.path.join(self.parent, "prefix")
        winebuild.copy_prefix(source, PREFIX)
        if DPI != 96:
            wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                 "/d", str(DPI), "/f")
        return self

    def __exit__(self, *_):
        subprocess.run(["wineserver", "-k"], env=wine_environment(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        shutil.rmtree(self.parent, ignore_errors=True)


class Kestrum:
    """One copy of the program in a data folder of its own, with the given settings.txt;
    `prepare`, when given, fills the folder before the program starts; `environment` adds to
    Wine's."""

    def __init__(self, name, settings="", prepare=None, environment=None):
        self.name = name
        self.environment = dict(wine_environment(), **(environment or {}))
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
            return subprocess.Popen([WINE, self.exe], cwd=self.folder, env=self.environment,
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


def parse_arguments(helpers):
    """The options of the calling script, which needs the helper programs `helpers`, and the
    arguments left for unittest (such as -k PATTERN)."""
    parser = argparse.ArgumentParser(description=sys.modules["__main__"].__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--kestrum", required=True, type=os.path.abspath, help="the Kestrum.exe under test")
    parser.add_argument("--artefacts", required=True, type=os.path.abspath,
                        help="the folder that keeps the screenshots and what Wine said")
    parser.add_argument("--dpi", type=int, default=96, help="the display scale (read at import)")
    for name, what in HELPERS.items():
        parser.add_argument("--" + name, required=name in helpers, type=os.path.abspath, help=what)
    options, rest = parser.parse_known_args()
    return vars(options), rest


@contextlib.contextmanager
def session(*helpers):
    """The calling script's options, with the helper programs it names in `helpers`, its display
    of DISPLAYS (or KESTRUM_E2E_DISPLAY) and a private Wine prefix, for as long as the block
    runs; yields the arguments its options left."""
    global KESTRUM_EXE, ARTEFACTS, MARKER, MAKESHORTCUT, DRAGSOURCE, HOLDER, ACCESSWALK, PLANTED, DISPLAY, WINE
    arguments, rest = parse_arguments(helpers)
    KESTRUM_EXE, ARTEFACTS = arguments["kestrum"], arguments["artefacts"]
    MARKER, MAKESHORTCUT, DRAGSOURCE, HOLDER, ACCESSWALK, PLANTED = (arguments[name] or "" for name in HELPERS)
    WINE = winebuild.loader(KESTRUM_EXE)
    script = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    DISPLAY = os.environ.get("KESTRUM_E2E_DISPLAY") or DISPLAYS[script]
    os.makedirs(ARTEFACTS, exist_ok=True)
    with VirtualDisplay(), PrivateWinePrefix():
        yield rest


def run_tests(*helpers):
    """Runs the test cases of the calling script in its session; returns the exit status."""
    with session(*helpers) as unittest_arguments:
        result = unittest.main(argv=["e2e", *unittest_arguments], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


def wakeups(pid):
    """How often the threads of the process `pid` have been put to sleep or taken off the
    processor: what keeps a computer from its deep sleep states when nothing happens."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/status") as file:
            total += sum(int(line.split()[1]) for line in file if "ctxt_switches" in line)
    return total
