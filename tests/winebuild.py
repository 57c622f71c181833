"""How Wine runs a Windows program of ours: its PE header says whether it is the 32-bit or the
64-bit build, and each runs in a prefix of its own architecture through the loader of its kind
(the plain `wine` may be the 32-bit loader, which some machines cannot execute)."""
import functools
import os
import re
import shutil
import struct
import sys

MACHINES = {0x14C: "win32", 0x8664: "win64"}


@functools.lru_cache(maxsize=None)  # asked for every Wine call of a test run
def architecture(program):
    """'win32' or 'win64', as the program's PE header says."""
    with open(program, "rb") as file:
        header = file.read(4096)
    pe_offset = struct.unpack_from("<I", header, 0x3C)[0]
    if header[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError(f"{program} is not a Windows program")
    machine = struct.unpack_from("<H", header, pe_offset + 4)[0]
    if machine not in MACHINES:
        raise ValueError(f"{program} is built for machine {machine:#x}")
    return MACHINES[machine]


def loader(program):
    """The Wine loader that runs `program`."""
    if architecture(program) == "win32":
        return "wine"
    # Debian keeps the 64-bit loader out of the PATH.
    return shutil.which("wine64") or next(
        (path for path in ["/usr/lib/wine/wine64"] if os.access(path, os.X_OK)), "wine")


def default_prefix(build_root, program):
    """The prefix that scripts/common.sh makes for the program's build in `build_root`."""
    suffix = "" if architecture(program) == "win32" else "64"
    return os.path.join(build_root, "wineprefix" + suffix)


def environment(program, **settings):
    """The environment for running `program`: its architecture, a quiet Wine and `settings`."""
    result = dict(os.environ, WINEARCH=architecture(program), **settings)
    result.setdefault("WINEDEBUG", "-all")
    result.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml,winemenubuilder.exe=")
    return result


DESKTOP_DEFAULTS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "scripts",
                                "desktop.reg")


def registry_keys(lines, key_name):
    """{key: set of value lines} of a registry file's lines; `key_name` turns a bracketed header
    into the key's name, or None for a line that is no key."""
    keys, values = {}, None
    for line in lines:
        line = line.rstrip("\r\n")
        if line.startswith("["):
            values = keys.setdefault(key_name(line), set())
        elif values is not None and line and not line.startswith(("#", ";")):
            values.add(line)
    return keys


def missing_desktop_defaults(prefix):
    """The values of scripts/desktop.reg that the prefix's registry lacks, as "key: value" lines;
    without them the shell answers differently than on a user's Windows (every program showing
    one generic icon)."""
    with open(DESKTOP_DEFAULTS, encoding="ascii") as file:
        wanted = registry_keys(file, lambda header: header[1:-1].replace("HKEY_CLASSES_ROOT\\", "Software\\Classes\\"))
    try:
        with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as file:
            # Wine writes "[Software\\Classes\\.exe] 1796849605": doubled separators, then a time.
            have = registry_keys(file, lambda header: re.sub(r"\](\s+\d+)?$", "", header[1:]).replace("\\\\", "\\").lower())
    except FileNotFoundError:
        have = {}
    return [f"{key}: {value}" for key, values in wanted.items()
            for value in sorted(values - have.get(key.lower(), set()))]


def copy_prefix(source, destination):
    """A private copy of the prefix `source`, which must have what a user's Windows has."""
    require_desktop_defaults(source)
    shutil.copytree(source, destination, symlinks=True)


def require_desktop_defaults(prefix):
    """Stops with a clear message when the prefix lacks what a user's Windows has."""
    missing = missing_desktop_defaults(prefix)
    if missing:
        raise SystemExit(f"The Wine prefix {prefix} lacks the Windows defaults of {DESKTOP_DEFAULTS} "
                         f"(make and start it with scripts/common.sh's kestrum_start_wine): "
                         + "; ".join(missing[:4]))


if __name__ == "__main__" and sys.argv[1:2] == ["--check-prefix"]:
    require_desktop_defaults(sys.argv[2])
