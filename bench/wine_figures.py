"""Figures only the running program shows, taken from outside under Wine on the display and in
the Wine prefix of the environment: the time from starting Kestrum.exe to its bar on the screen
(in an empty folder and in a data folder of 2,000 shortcuts) and the memory the program holds
once every icon is in, against the program in an empty folder and an empty Win32 window program;
then the memory in two data folders of the same 50 categories, with 500 and with 2,000 shortcuts
spread over the same 200 pictures, whose difference is what an entry costs beyond its picture;
then, with the category window open and drawn, the memory in an empty folder and with 2,000
shortcuts to one program and to 200, whose difference is what a distinct picture costs;
then what the program costs while nothing moves (wake-ups and processor over 20 s, bar hidden and
category window open) beside the empty window program, the time from a click on an icon to the
category window gone, and from Ctrl+J to the command window shown with and without a start waiting.

usage: wine_figures.py KESTRUM_EXE EMPTY_WINDOW_EXE DATA_FOLDER SCREEN_WIDTH SCREEN_HEIGHT
                       SPREAD_500_FOLDER SPREAD_2000_FOLDER ONE_PROGRAM_2000_FOLDER
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e_support as e2e  # noqa: E402
from x_events import MapWatch  # noqa: E402

STARTS = 5
# Using under a twentieth of the processor over this long: the icons are in (the bar's timers
# still take a little).
QUIET_SECONDS = 3
QUIET_SHARE = 0.05
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def processes_of(exe_name):
    """Process ids whose command line names `exe_name` (Wine runs a Windows program as one) in
    this benchmark's Wine prefix: copies of the program that others run on the machine, in
    prefixes of their own, are none of ours to measure or end."""
    ours = b"WINEPREFIX=" + os.environ["WINEPREFIX"].encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                arguments = file.read().split(b"\0")
            with open(f"/proc/{pid}/environ", "rb") as file:
                environment = file.read().split(b"\0")
        except OSError:
            continue
        if arguments and arguments[0].decode(errors="replace").endswith(exe_name) and ours in environment:
            found.append(int(pid))
    return found


def wait_until_gone(exe_name):
    e2e.wait_for(lambda: not processes_of(exe_name), f"{exe_name} to end")


def launch(exe, folder):
    return launch_with(exe, folder, [])


def launch_with(exe, folder, arguments):
    log = open(os.path.join(folder, "wine.log"), "ab")
    return subprocess.Popen([e2e.WINE, exe] + arguments, cwd=folder, env=e2e.wine_environment(),
                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)


def stop(process, exe_name):
    for pid in processes_of(exe_name):
        os.kill(pid, 9)
    process.wait(e2e.TIMEOUT)
    wait_until_gone(exe_name)


def copy_beside(exe, folder):
    target = os.path.join(folder, os.path.basename(exe))
    shutil.copy(exe, target)
    return target


def seconds_to_bar(kestrum_exe, folder):
    """One start of the program in `folder`: seconds until its bar is on the screen."""
    exe = copy_beside(kestrum_exe, folder)
    before = {w[4] for w in e2e.visible_windows()}
    start = time.monotonic()
    process = launch(exe, folder)
    e2e.wait_for(lambda: [w for w in e2e.bar_windows() if w[4] not in before], "the bar")
    elapsed = time.monotonic() - start
    stop(process, "Kestrum.exe")
    return elapsed


def processor_ticks(pid):
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # user and system time


def resident_megabytes(pid):
    with open(f"/proc/{pid}/status") as file:
        for line in file:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


def settled_memory(exe, folder, ready, open_window=None):
    """Resident memory of the program started in `folder` once `ready` holds and it has stopped
    using the processor; with `open_window`, once that has opened its category window, the
    pointer has moved off it and every icon is drawn."""
    exe_name = os.path.basename(exe)
    process = launch(exe, folder)
    e2e.wait_for(ready, f"{exe_name} on the screen")
    if open_window:
        open_window()
        e2e.xdotool("mousemove", e2e.SCREEN[0] - 5, e2e.SCREEN[1] - 5)
    pid = e2e.wait_for(lambda: processes_of(exe_name), f"the process of {exe_name}")[0]
    wait_until_quiet(pid)
    memory = resident_megabytes(pid)
    stop(process, exe_name)
    return memory


IDLE_SECONDS = 20
CLICKS = 5


def wait_until_quiet(pid):
    while True:
        ticks = processor_ticks(pid)
        time.sleep(QUIET_SECONDS)
        if processor_ticks(pid) - ticks < QUIET_SHARE * QUIET_SECONDS * TICKS_PER_SECOND:
            return


def idle_cost(pid):
    """(wake-ups a second, processor milliseconds) of the process over IDLE_SECONDS with nothing
    moving, once it has settled."""
    wait_until_quiet(pid)
    woken, ticks = e2e.wakeups(pid), processor_ticks(pid)
    time.sleep(IDLE_SECONDS)
    return ((e2e.wakeups(pid) - woken) / IDLE_SECONDS,
            (processor_ticks(pid) - ticks) * 1000 / TICKS_PER_SECOND)


def empty_window_idle(empty_window_exe, folder):
    process = launch(copy_beside(empty_window_exe, folder), folder)
    e2e.wait_for(e2e.bar_windows, "the empty window")
    cost = idle_cost(process.pid)  # Wine's loader becomes the Windows process
    end(process)
    return cost


# Wine waits up to 2 s for a window manager to take back a window that was active, and this
# display has none (design notes): unmanaged windows leave what the program itself takes.
X11_DRIVER = "HKCU\\Software\\Wine\\X11 Driver"


def kestrum_idle_and_click(kestrum_exe, folder):
    """Idle costs with the bar hidden and with the category window open, pointer away from both;
    then the seconds from a click on an icon (the last of the first row) to the window gone,
    while the shell holds the start for 10 s."""
    away = (e2e.SCREEN[0] - 5, e2e.SCREEN[1] - 5)
    e2e.xdotool("mousemove", *away)
    e2e.wine("reg", "add", X11_DRIVER, "/v", "Managed", "/d", "N", "/f")
    try:
        return idle_and_click(kestrum_exe, folder, away)
    finally:
        e2e.wine("reg", "delete", X11_DRIVER, "/v", "Managed", "/f")


def idle_and_click(kestrum_exe, folder, away):
    os.environ["KESTRUM_START_HOLD_MS"] = "10000"
    try:
        process = launch(copy_beside(kestrum_exe, folder), folder)
    finally:
        del os.environ["KESTRUM_START_HOLD_MS"]
    e2e.wait_for(e2e.bar_top_is(-26), "the bar hidden")
    pid = process.pid  # of Kestrum.exe itself: others may run on the machine
    hidden = idle_cost(pid)
    command_free = ctrl_j_seconds()
    window = e2e.open_category_window()
    e2e.xdotool("mousemove", *away)
    shown = idle_cost(pid)
    gone = []
    for _ in range(CLICKS):
        if gone:
            window = e2e.open_category_window()
        e2e.click(window[0] + window[2] - e2e.px(38), window[1] + e2e.px(24))
        clicked = time.monotonic()
        e2e.wait_for(lambda: str(window[4]) not in shown_windows(), "the window to go", timeout=60)
        gone.append(time.monotonic() - clicked)
    command_held = ctrl_j_seconds()  # the worker still holds the starts asked for above
    end(process)
    return hidden, shown, statistics.median(gone), (command_free, command_held)


def ctrl_j_seconds():
    """The median seconds from Ctrl+J to the command window on the screen; Escape closes it."""
    watch = MapWatch()
    try:
        answers = []
        for _ in range(CLICKS):
            # Wine hears the hot key only while one of its windows has the X focus.
            e2e.xdotool("windowfocus", e2e.bar_windows()[0][4])
            answers.append(watch.seconds_until_mapped(lambda: e2e.xdotool("key", "ctrl+j"), "Command", 30))
            e2e.xdotool("windowfocus", e2e.xdotool("search", "--onlyvisible", "--name", "^Command$").split()[0])
            e2e.xdotool("key", "Escape")
            e2e.wait_for(lambda: not e2e.xdotool("search", "--onlyvisible", "--name", "^Command$").strip(),
                         "the command window to close")
        return statistics.median(answers)
    finally:
        watch.close()


def shown_windows():
    """The ids of the visible X windows, asked in one question: the fastest look."""
    return e2e.xdotool("search", "--onlyvisible", "--class", "").split()


def end(process):
    """Ends the program started as `process`, and the programs it started: others of the same
    names may belong to someone else."""
    started = [pid for pid in map(int, filter(str.isdigit, os.listdir("/proc")))
               if parent_of(pid) == process.pid]
    process.kill()
    process.wait(e2e.TIMEOUT)
    for pid in started:
        try:
            os.kill(pid, 9)
        except ProcessLookupError:
            pass


def parent_of(pid):
    try:
        with open(f"/proc/{pid}/stat") as file:
            return int(file.read().rsplit(")", 1)[1].split()[1])
    except (OSError, IndexError, ValueError):
        return None


def idle_figures(kestrum_exe, empty_window_exe, data_folder, scratch):
    hidden, shown, gone, command = kestrum_idle_and_click(kestrum_exe, data_folder)
    empty = empty_window_idle(empty_window_exe, scratch)
    for what, (woken, used) in (("bar hidden", hidden), ("window open", shown),
                                ("empty window program", empty)):
        print(f"idle {IDLE_SECONDS} s, {what + ':':22} {woken:8.1f} wake-ups a second, {used:6.0f} ms processor")
    print(f"idle wake-ups above the empty window, bar hidden:  {hidden[0] - empty[0]:8.1f} a second")
    print(f"idle wake-ups above the empty window, window open: {shown[0] - empty[0]:8.1f} a second")
    print(f"idle processor above the empty window, bar hidden:  {hidden[1] - empty[1]:6.0f} ms")
    print(f"idle processor above the empty window, window open: {shown[1] - empty[1]:6.0f} ms")
    print(f"click on an icon to the window gone, start held 10 s: {gone * 1000:6.0f} ms median of {CLICKS}")
    print(f"Ctrl+J to the command window shown, no start waiting: {command[0] * 1000:6.0f} ms median of {CLICKS}")
    print(f"Ctrl+J to the command window shown, start held 10 s:  {command[1] * 1000:6.0f} ms median of {CLICKS}")


def window_open_memory(kestrum_exe, empty_folder, folders):
    """Resident memory with the category window open and drawn in `empty_folder`, where the
    window is a frame too small to be seen, then in each of `folders`."""
    return [settled_memory(copy_beside(kestrum_exe, folder), folder, e2e.bar_windows,
                           e2e.press_main_button if folder == empty_folder else e2e.open_category_window)
            for folder in [empty_folder] + list(folders)]


def main(kestrum_exe, empty_window_exe, data_folder, width, height, spread_500, spread_2000, one_program):
    kestrum_exe, empty_window_exe, data_folder = map(os.path.abspath, (kestrum_exe, empty_window_exe, data_folder))
    e2e.KESTRUM_EXE, e2e.WINE = kestrum_exe, e2e.winebuild.loader(kestrum_exe)
    e2e.DISPLAY = os.environ["DISPLAY"]
    e2e.PREFIX = os.environ["WINEPREFIX"]
    e2e.SCREEN = (int(width), int(height))
    scratch = tempfile.mkdtemp(prefix="kestrum-bench-")
    try:
        empty = [seconds_to_bar(kestrum_exe, scratch) for _ in range(STARTS)]
        full = [seconds_to_bar(kestrum_exe, data_folder) for _ in range(STARTS)]
        kestrum = settled_memory(copy_beside(kestrum_exe, data_folder), data_folder, e2e.bar_windows)
        bare = settled_memory(copy_beside(kestrum_exe, scratch), scratch, e2e.bar_windows)
        window = settled_memory(copy_beside(empty_window_exe, scratch), scratch, e2e.bar_windows)
        spread = [settled_memory(copy_beside(kestrum_exe, folder), folder, e2e.bar_windows)
                  for folder in (spread_500, spread_2000)]
        shown = window_open_memory(kestrum_exe, scratch, (one_program, spread_2000))
        idle_figures(kestrum_exe, empty_window_exe, data_folder, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"start-up to the bar, empty folder:      {statistics.median(empty) * 1000:8.0f} ms median "
          f"of {STARTS} (fastest {min(empty) * 1000:.0f})")
    print(f"start-up to the bar, 2,000 shortcuts:   {statistics.median(full) * 1000:8.0f} ms median "
          f"of {STARTS} (fastest {min(full) * 1000:.0f})")
    print(f"memory, Kestrum.exe with 2,000 icons:   {kestrum:8.1f} MB")
    print(f"memory, Kestrum.exe in an empty folder: {bare:8.1f} MB")
    print(f"memory, an empty window program:        {window:8.1f} MB")
    print(f"memory above the empty window:          {kestrum - window:8.1f} MB")
    print(f"memory above the same in an empty folder: {kestrum - bare:6.1f} MB")
    print(f"memory, 500 shortcuts over 200 pictures:  {spread[0]:6.1f} MB")
    print(f"memory, 2,000 shortcuts over 200 pictures: {spread[1]:5.1f} MB")
    print(f"memory per entry beyond its picture:    {(spread[1] - spread[0]) * 1024 * 1024 / 1500:8.0f} bytes")
    print(f"memory of 200 distinct pictures, 2,000 shortcuts, above an empty folder: {spread[1] - bare:5.1f} MB")
    print(f"memory, window open, empty folder:        {shown[0]:6.1f} MB")
    print(f"memory, window open, 2,000 shortcuts to one program: {shown[1]:6.1f} MB")
    print(f"memory, window open, 2,000 shortcuts over 200 pictures: {shown[2]:6.1f} MB")
    print(f"window open, 200 distinct pictures above an empty folder: {shown[2] - shown[0]:6.1f} MB")
    print(f"window open, each distinct picture (1 -> 200): {(shown[2] - shown[1]) * 1024 / 199:6.1f} KB")


if __name__ == "__main__":
    main(*sys.argv[1:])
