#!/usr/bin/env python3
"""Kestrum on data folders a user should never have, but might: garbage, empty and truncated
list and settings files, broken shortcuts, names with bytes above 127, paths at and over the
Windows limit, a list of 100,000 categories, duplicates in every list, a broken language file.
The real program starts on each under Wine, the category window opens, the pointer crosses every
row, the command window filters the titles, and the program is asked to close: it must never
crash or hang, and it must leave every file as it found it (it may only note its first day in its
own settings.txt, which it then writes in UTF-8) and touch nothing beside its folder.
"""
import os
import random
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest

import e2e_support as e2e
from e2e_support import wait_for, xdotool

HIGH = bytes(range(0xC0, 0xFF)).decode("cp1252")  # letters above 127 in the ANSI code page
WINDOWS_PATH_LIMIT = 259
# Seconds for the bar to appear: a list of 100,000 categories takes over 15 under Wine on a busy
# machine. What must fail is a hang, not a slow start.
START_TIMEOUT = 90


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data if isinstance(data, bytes) else data.replace("\n", "\r\n").encode("cp1252"))


def garbage(rng, size):
    return bytes(rng.randrange(256) for _ in range(size))


def link_list(links, titles=()):
    return e2e.numbered_list("Link", links) + "[Titles]\n" + "".join(f"{i}={t}\n" for i, t in enumerate(titles))


def garbage_everywhere(folder):
    rng = random.Random(1)
    write(os.path.join(folder, "config.txt"), garbage(rng, 3000))
    write(os.path.join(folder, "settings.txt"), b"[KestrumButton]\r\nColor=12\x00\xff\r\n[Glob" + garbage(rng, 500))
    write(os.path.join(folder, "Kestrum.lang"), b"[Strings]\r\n" + garbage(rng, 2000))
    for name in ("Junk", "Broken links"):
        os.mkdir(os.path.join(folder, name))
    write(os.path.join(folder, "Junk", "config.txt"), garbage(rng, 1000))
    write(os.path.join(folder, "Junk", "settings.txt"), "[Background]\nBackgoundCol")
    e2e.write_shortcuts({os.path.join(folder, "Broken links", "whole.lnk"): os.path.join(folder, "Kestrum.exe")})
    with open(os.path.join(folder, "Broken links", "whole.lnk"), "rb") as file:
        whole = file.read()
    write(os.path.join(folder, "Broken links", "truncated.lnk"), whole[:len(whole) // 3])
    write(os.path.join(folder, "Broken links", "garbage.lnk"), garbage(rng, 400))
    write(os.path.join(folder, "Broken links", "empty.lnk"), b"")
    write(os.path.join(folder, "Broken links", "config.txt"),
          link_list(["truncated.lnk", "garbage.lnk", "empty.lnk", "whole.lnk", "absent.lnk"]))


def empty_files(folder):
    for path in ("config.txt", "settings.txt", "Kestrum.lang", "Empty/config.txt", "Empty/settings.txt"):
        write(os.path.join(folder, path), b"")


def odd_names_and_duplicates(folder):
    cafe, high = "Caf\xe9", "Gr" + HIGH[:20]
    write(os.path.join(folder, "config.txt"), e2e.numbered_list("Bar", [cafe, high, cafe, "Missing", high]))
    write(os.path.join(folder, "Kestrum.lang"),
          "[Strings]\nBarPopupMenu_Hide=&" + HIGH + "\nBarPopupMenu_Hide=second\n[Strings]\nMainForm_Exit=\n")
    missing_target = os.path.join(folder, "gone.exe")
    shutil.copy(e2e.KESTRUM_EXE, missing_target)
    shortcuts = {}
    for name in (cafe, high):
        category = os.path.join(folder, name)
        os.mkdir(category)
        shortcuts[os.path.join(category, "gone.lnk")] = missing_target
        shortcuts[os.path.join(category, HIGH[:8] + ".lnk")] = e2e.KESTRUM_EXE
        write(os.path.join(category, "config.txt"),
              link_list(["gone.lnk", HIGH[:8] + ".lnk", "gone.lnk", HIGH[:8] + ".lnk"],
                        [HIGH, "", HIGH + HIGH, "x" * 3000]))
        write(os.path.join(category, "settings.txt"), "[Background]\nBackgoundColor=-1\nColor=99999999999\n")
    e2e.write_shortcuts(shortcuts)
    os.remove(missing_target)


def long_paths(folder):
    # Windows sees the folder as Z:\...; with the folder deep down already, short category names
    # bring whole paths to the limit and past it (and the window stays narrower than the screen).
    base = len(e2e.windows_path(folder)) + 1
    names = [("L" * max(1, length - base - len("\\config.txt"))) for length in (WINDOWS_PATH_LIMIT - 1,
                                                                                WINDOWS_PATH_LIMIT, 300)]
    write(os.path.join(folder, "config.txt"), e2e.numbered_list("Bar", names + ["N" * 400]))
    for name in names:
        category = os.path.join(folder, name)
        os.mkdir(category)
        write(os.path.join(category, "config.txt"), link_list(["y" * 250 + ".lnk"]))


# Where the long paths' data folder lies in its sandbox: about 170 characters down.
DEEP = os.path.join(*(f"deep-folder-{i:02d}" for i in range(11)))


def a_hundred_thousand_categories(folder):
    names = [f"Category {i}" for i in range(100_000)]
    write(os.path.join(folder, "config.txt"), e2e.numbered_list("Bar", names))
    for name in names[:3] + names[-2:]:
        write(os.path.join(folder, name, "config.txt"), link_list([f"{i}.lnk" for i in range(100_000)]))


def read_only_category(folder):
    e2e.make_categories(folder, [e2e.Category(name, {"kestrum": e2e.KESTRUM_EXE}, listed=False)
                                 for name in ("Locked", "Open")])
    locked = os.path.join(folder, "Locked")
    for file in os.listdir(locked):
        os.chmod(os.path.join(locked, file), stat.S_IREAD)
    os.chmod(locked, stat.S_IREAD | stat.S_IEXEC)


def contents(folder):
    """{relative path: bytes, or None for a folder} of everything under `folder`."""
    found = {}
    for parent, folders, files in os.walk(folder):
        for name in folders:
            found[os.path.relpath(os.path.join(parent, name), folder)] = None
        for name in files:
            with open(os.path.join(parent, name), "rb") as file:
                found[os.path.relpath(os.path.join(parent, name), folder)] = file.read()
    return found


def as_kept(data):
    """A file's bytes as Kestrum writes them back: UTF-8 as it is; any other file is one an
    earlier version wrote in the ANSI code page (1252 in Wine's English locale, where the five
    bytes it leaves undefined stand for themselves), turned into UTF-8."""
    try:
        data.decode("utf-8")
        return data
    except UnicodeDecodeError:
        return "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data).encode("utf-8")


def first_day_noted(before, after):
    """True when `after` is `before` with only the program's first day added, in UTF-8."""
    if before == after:
        return True
    before = as_kept(before)
    lines = [line for line in after.split(b"\r\n") if not line.startswith(b"FirstRunDay=")]
    return b"\r\n".join(line for line in lines if line != b"[Kestrum]").strip() == before.strip()


class HostileDataFolders(unittest.TestCase):
    def survive(self, prepare, place="data"):
        """Starts the program in a folder made by `prepare`, opens the category window, sweeps
        the pointer over it and closes the program; checks what it left behind."""
        sandbox = tempfile.mkdtemp(prefix="kestrum-e2e-hostile-")
        self.addCleanup(shutil.rmtree, sandbox, ignore_errors=True)
        write(os.path.join(sandbox, "beside.txt"), "not Kestrum's")
        data = os.path.join(sandbox, place)
        os.makedirs(data)
        exe = shutil.copy(e2e.KESTRUM_EXE, data)
        prepare(data)
        before, sandbox_before = contents(data), contents(sandbox)
        xdotool("mousemove", 600, 500)

        with open(os.path.join(e2e.ARTEFACTS, self._testMethodName + "-wine.log"), "wb") as log:
            program = subprocess.Popen([e2e.WINE, exe], cwd=data, env=e2e.wine_environment(),
                                       stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        self.addCleanup(lambda: program.poll() is None and (program.kill(), program.wait()))
        wait_for(e2e.bar_position, "the bar to appear", START_TIMEOUT)
        e2e.press_main_button()
        self.sweep(wait_for(self.category_window, "the category window to open"))
        self.filter_titles()
        e2e.screenshot(self._testMethodName)
        e2e.wine("taskkill", "/IM", "Kestrum.exe")
        self.assertEqual(program.wait(e2e.TIMEOUT), 0, "closed on request, without a crash")

        after = contents(data)
        self.assertTrue(first_day_noted(before.pop("settings.txt", b""), after.pop("settings.txt", b"")),
                        "settings.txt changed beyond the first day")
        self.assertEqual(sorted(after), sorted(before), "no file made or removed")
        self.assertEqual([path for path in before if before[path] != after[path]], [], "no file changed")
        outside = {path: value for path, value in contents(sandbox).items() if not path.startswith(place)}
        self.assertEqual(outside, {p: v for p, v in sandbox_before.items() if not p.startswith(place)})

    @staticmethod
    def category_window():
        found = [w for w in e2e.visible_windows() if w[1] >= e2e.BAR_SIZE[1] and w[2:4] != e2e.BAR_SIZE]
        return found[0] if found else None

    @staticmethod
    def filter_titles():
        """Ctrl+J, a few letters typed, taken back, and Escape: the command window filters every
        title the folder gave."""
        e2e.open_command_window()
        xdotool("type", " c" + HIGH[:2] + " ")
        xdotool("key", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "Down", "Up", "Escape")
        wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "^Command$").strip(),
                 "the command window to close")

    @staticmethod
    def sweep(window):
        """The pointer down the window in steps a row is never skipped by, at three places
        across, as a hand crossing every row would."""
        left, top, width, height = window[:4]
        for x in (left + 5, left + width // 2, left + width - 5):
            for y in range(top + 1, min(top + height, e2e.SCREEN[1]), 8):
                xdotool("mousemove", x, y)
        time.sleep(0.3)

    def test_garbage_in_every_file(self):
        self.survive(garbage_everywhere)

    def test_empty_files(self):
        self.survive(empty_files)

    def test_names_above_127_and_duplicates_in_every_list(self):
        self.survive(odd_names_and_duplicates)

    def test_paths_at_and_over_the_windows_limit(self):
        self.survive(long_paths, DEEP)

    def test_a_list_of_a_hundred_thousand_categories(self):
        self.survive(a_hundred_thousand_categories)

    def test_a_read_only_category_folder(self):
        self.survive(read_only_category)


if __name__ == "__main__":
    sys.exit(e2e.run_tests("makeshortcut"))
