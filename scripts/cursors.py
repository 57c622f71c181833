#!/usr/bin/env python3
"""Writes the program's two drag pointers, app/Drag.cur and app/Nodrop.cur: 32 x 32, one bit
per pixel, drawn here from simple shapes so that they can be made again or changed.

Usage: python3 scripts/cursors.py
"""
import os
import struct

SIZE = 32
# An arrow of the classic shape, '#' black, '.' white, anything else transparent.
ARROW = [
    "#", "##", "#.#", "#..#", "#...#", "#....#", "#.....#", "#......#", "#.......#",
    "#........#", "#.....#####", "#..#..#", "#.# #..#", "##  #..#", "#    #..#", "     #..#",
    "      ##",
]


def arrow_pixels():
    pixels = {}
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c in "#.":
                pixels[(x, y)] = c
    return pixels


def drag_pixels():
    """The arrow with a small dotted box below it: something is being carried."""
    pixels = arrow_pixels()
    left, top, right, bottom = 9, 18, 22, 27
    for x in range(left, right + 1):
        for y in (top, bottom):
            pixels[(x, y)] = "#" if (x + y) % 2 == 0 else "."
    for y in range(top, bottom + 1):
        for x in (left, right):
            pixels[(x, y)] = "#" if (x + y) % 2 == 0 else "."
    return pixels, (0, 0)


def no_drop_pixels():
    """A ring with a bar across it: nothing can be put down here."""
    pixels = {}
    centre, outer, inner = 15.5, 11.5, 8.0
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x - centre, y - centre
            distance = (dx * dx + dy * dy) ** 0.5
            on_bar = abs(dx - dy) <= 2.2 and distance <= inner + 0.5
            if inner <= distance <= outer or on_bar:
                edge = distance > outer - 1.2 or (inner <= distance < inner + 1.2 and not on_bar)
                pixels[(x, y)] = "." if edge else "#"
    return pixels, (16, 16)


def cursor_file(pixels, hotspot):
    row_bytes = SIZE // 8
    xor, and_mask = bytearray(), bytearray()
    for y in reversed(range(SIZE)):  # the bitmap is stored bottom-up
        xor_row, and_row = [0] * row_bytes, [0xFF] * row_bytes
        for x in range(SIZE):
            colour = pixels.get((x, y))
            bit = 0x80 >> (x % 8)
            if colour is not None:
                and_row[x // 8] &= ~bit & 0xFF
                if colour == ".":
                    xor_row[x // 8] |= bit
        xor += bytes(xor_row)
        and_mask += bytes(and_row)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + bytes(xor) + bytes(and_mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    app = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app")
    for name, (pixels, hotspot) in (("Drag.cur", drag_pixels()), ("Nodrop.cur", no_drop_pixels())):
        with open(os.path.join(app, name), "wb") as file:
            file.write(cursor_file(pixels, hotspot))
