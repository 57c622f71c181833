"""Where the memory of the open category window goes, under Wine on the display and in the Wine
prefix of the environment: for each Kestrum.exe given (LABEL=PATH, so that two builds are
compared in one run), the resident memory with the window open and drawn in an empty folder and
with 2,000 shortcuts to one program and to 200, and the size of that window; then the empty
window program, painted, at 80 x 27 and at that size: what the system keeps for a window that
large, which any program showing one pays.

usage: window_memory.py EMPTY_WINDOW_EXE SCREEN_WIDTH SCREEN_HEIGHT ONE_PROGRAM_FOLDER SPREAD_FOLDER
                        LABEL=KESTRUM_EXE...
"""
import os
import shutil
import sys
import tempfile

import wine_figures as figures
from wine_figures import e2e


def window_sizes(kestrum_exe, folder):
    """The category window's size in `folder` once open."""
    seen = []

    def open_window():
        seen.append(e2e.open_category_window()[2:4])

    figures.settled_memory(figures.copy_beside(kestrum_exe, folder), folder, e2e.bar_windows, open_window)
    return seen[0]


def empty_window_memory(empty_window_exe, folder, size):
    exe = figures.copy_beside(empty_window_exe, folder)
    process = figures.launch_with(exe, folder, [str(n) for n in size])
    e2e.wait_for(lambda: [w for w in e2e.visible_windows() if w[2:4] == tuple(size)], "the empty window")
    pid = e2e.wait_for(lambda: figures.processes_of(os.path.basename(exe)), "its process")[0]
    figures.wait_until_quiet(pid)
    memory = figures.resident_megabytes(pid)
    figures.end(process)
    return memory


def main(empty_window_exe, width, height, one_program, spread, *builds):
    e2e.WINE = e2e.winebuild.loader(os.path.abspath(builds[0].split("=", 1)[1]))
    e2e.DISPLAY = os.environ["DISPLAY"]
    e2e.PREFIX = os.environ["WINEPREFIX"]
    e2e.SCREEN = (int(width), int(height))
    scratch = tempfile.mkdtemp(prefix="kestrum-window-memory-")
    try:
        size = None
        for build in builds:
            label, exe = build.split("=", 1)
            exe = os.path.abspath(exe)
            e2e.KESTRUM_EXE = exe
            empty, one, many = figures.window_open_memory(exe, scratch, (one_program, spread))
            size = window_sizes(exe, spread)
            print(f"{label}: window open, empty folder:                  {empty:6.1f} MB")
            print(f"{label}: window open, 2,000 shortcuts to one program: {one:6.1f} MB")
            print(f"{label}: window open, 2,000 over 200 pictures:        {many:6.1f} MB")
            print(f"{label}: window open, 200 pictures above an empty folder: {many - empty:6.1f} MB "
                  f"(window {size[0]} x {size[1]} pixels)")
        small = empty_window_memory(empty_window_exe, scratch, (80, 27))
        large = empty_window_memory(empty_window_exe, scratch, size)
        print(f"empty window program, 80 x 27:        {small:6.1f} MB")
        print(f"empty window program, {size[0]} x {size[1]}: {large:6.1f} MB")
        print(f"what the system keeps for a window of that size: {large - small:6.1f} MB "
              f"({size[0] * size[1] * 4 / 1024 / 1024:.1f} MB at 4 bytes a pixel)")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main(*sys.argv[1:])
