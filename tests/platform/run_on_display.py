"""Runs a Windows test program under Wine on a virtual X display of its own, in a private copy
of the Wine prefix with a wineserver of its own: a prefix whose desktop was made without a
display (as scripts/common.sh makes it) cannot show windows. Exits with the program's status.

    run_on_display.py PROGRAM.exe [ARGUMENTS...]

The prefix copied is WINEPREFIX, else the one beside the build folder for the program's build."""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import winebuild  # noqa: E402


def start_display():
    """An Xvfb on a display number it chooses itself, so that runs side by side never meet;
    returns the server and the display name."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=[write_end], stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        number = announced.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def main():
    program = os.path.abspath(sys.argv[1])
    source = os.environ.get("WINEPREFIX") or winebuild.default_prefix(
        os.path.dirname(os.path.dirname(os.path.dirname(program))), program)
    parent = tempfile.mkdtemp(prefix="kestrum-display-prefix-")
    prefix = os.path.join(parent, "prefix")
    winebuild.copy_prefix(source, prefix)
    server, display = start_display()
    environment = winebuild.environment(program, DISPLAY=display, WINEPREFIX=prefix)
    try:
        return subprocess.run([winebuild.loader(program), program, *sys.argv[2:]], env=environment,
                              stdin=subprocess.DEVNULL, timeout=120).returncode
    finally:
        subprocess.run(["wineserver", "-k"], env=environment, timeout=30)
        server.terminate()
        server.wait(30)
        shutil.rmtree(parent, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
