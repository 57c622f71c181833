"""How Wine runs a Windows program of ours: its PE header says whether it is the 32-bit or the
64-bit build, and each runs in a prefix of its own architecture through the loader of its kind
(the plain `wine` may be the 32-bit loader, which some machines cannot execute)."""
import functools
import os
import shutil
import struct

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
