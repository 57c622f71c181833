#!/usr/bin/env python3
"""Writes the marker program's icon: a green square with a white arrow pointing right, at 16 and
32 pixels, so that the tests' shortcuts show a program's own picture as users' programs do.

usage: marker_icon.py OUT.ico
"""
import struct
import sys

GREEN, WHITE, CLEAR = (0x2E, 0x8B, 0x57, 0xFF), (0xFF, 0xFF, 0xFF, 0xFF), (0, 0, 0, 0)


def colour(x, y, size):
    """RGBA of the pixel (x, y), y from the top: a square one pixel in from the edge, the arrow
    a triangle in its middle."""
    inset = size // 16
    if not (inset <= x < size - inset and inset <= y < size - inset):
        return CLEAR
    middle, reach = size / 2, (x - size * 0.3) / 2
    return WHITE if size * 0.3 <= x <= size * 0.75 and abs(y + 0.5 - middle) <= size * 0.4 - reach * 1.6 else GREEN


def image(size):
    """One icon image: a 32-bit bitmap of twice the height (colours, then an all-clear mask)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in (colour(x, y, size) for x in range(size))))
    mask = b"\0" * (((size + 31) // 32) * 4 * size)
    return header + b"".join(rows) + mask


def main(out):
    sizes = [16, 32]
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(sizes)
    directory = b""
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as file:
        file.write(struct.pack("<HHH", 0, 1, len(sizes)) + directory + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
