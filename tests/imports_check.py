#!/usr/bin/env python3
"""Fails when a Windows program of ours imports a library that Windows may look for beside the
program: Kestrum's folder is often one anyone can write to, and a library of a name it imports
placed there would run inside it. Lists every library each program imports, then the ones not
allowed.

usage: imports_check.py PROGRAM.exe [PROGRAM.exe ...]
"""
import struct
import sys

# What the program may import, and why each is safe: Windows' known system libraries are always
# taken from the system folder, whatever lies beside a program; Common Controls 6 comes through
# the manifest, from the side-by-side store.
ALLOWED = {
    "kernel32.dll": "known system library",
    "user32.dll": "known system library",
    "gdi32.dll": "known system library",
    "advapi32.dll": "known system library",
    "shell32.dll": "known system library",
    "ole32.dll": "known system library",
    "oleaut32.dll": "known system library",
    "comdlg32.dll": "known system library",
    "msvcrt.dll": "known system library (the C runtime mingw-w64 builds on)",
    "comctl32.dll": "Common Controls 6, through the manifest",
}


def sections(data, pe):
    count, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    first = pe + 24 + optional_size
    return [struct.unpack_from("<IIII", data, first + 40 * i + 8) for i in range(count)]


def file_offset(table, rva):
    for virtual_size, address, raw_size, raw_pointer in table:
        if address <= rva < address + max(virtual_size, raw_size):
            return rva - address + raw_pointer
    raise ValueError(f"address {rva:#x} lies in no section")


def c_string(data, offset):
    return data[offset:data.index(b"\0", offset)].decode("ascii")


def imported_libraries(path):
    """Names of the libraries the program imports, at load time or delayed."""
    with open(path, "rb") as file:
        data = file.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    optional = pe + 24
    directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96)
    table = sections(data, pe)
    names = []
    # The import directory (entry 1, descriptors of 20 bytes, the name at 12) and the delay-load
    # one (entry 13, descriptors of 32 bytes, the name at 4); each ends with an empty descriptor.
    for entry, size, name_at in ((1, 20, 12), (13, 32, 4)):
        rva = struct.unpack_from("<I", data, directories + 8 * entry)[0]
        if not rva:
            continue
        descriptor = file_offset(table, rva)
        while any(data[descriptor:descriptor + size]):
            names.append(c_string(data, file_offset(table, struct.unpack_from("<I", data, descriptor + name_at)[0])))
            descriptor += size
    return names


def main(programs):
    refused = []
    for program in programs:
        names = imported_libraries(program)
        print(f"{program}: {', '.join(names)}")
        refused += [f"{program}: {name}" for name in names if name.lower() not in ALLOWED]
    if refused:
        print("Imported, but Windows may load them from beside the program:\n  " + "\n  ".join(refused))
        return 1
    print("Each library imported is always taken from the system.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
