#!/usr/bin/env python3
"""Writes the class pictures of the placeholder boxes: TTABLE.bmp, TQUERY.bmp and DEFAULT.bmp.

24 x 24, 24-bit. The background is magenta, the bitmaps' transparent colour (their bottom-left pixel),
which the box replaces by its own silver when it draws them."""
import struct

SIZE = 24
MAGENTA = (255, 0, 255)
NAVY = (0, 0, 128)
WHITE = (255, 255, 255)
TEAL = (0, 128, 128)
YELLOW = (255, 255, 0)
BLACK = (0, 0, 0)


def write_bmp(name, pixels):
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = b"".join(bytes((b, g, r)) for (r, g, b) in pixels[y])
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(row)
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(name, "wb") as f:
        f.write(header + info + data)


def blank():
    return [[MAGENTA] * SIZE for _ in range(SIZE)]


def fill(p, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            p[y][x] = colour


def table():
    # A grid: navy header row, white cells with navy lines.
    p = blank()
    fill(p, 2, 4, 22, 20, NAVY)
    fill(p, 3, 5, 21, 8, TEAL)
    for y0 in (9, 13, 17):
        for x0 in (3, 9, 15):
            fill(p, x0, y0, x0 + 5, y0 + 3, WHITE)
    return p


def query():
    # A sheet with lines and a question-mark-like hook.
    p = blank()
    fill(p, 4, 2, 20, 22, BLACK)
    fill(p, 5, 3, 19, 21, WHITE)
    for y in (6, 9, 12):
        fill(p, 7, y, 17, y + 1, NAVY)
    fill(p, 9, 15, 15, 16, TEAL)
    fill(p, 14, 15, 15, 18, TEAL)
    fill(p, 11, 18, 15, 19, TEAL)
    fill(p, 11, 19, 12, 20, TEAL)
    return p


def default():
    # A plain box with a yellow corner.
    p = blank()
    fill(p, 4, 4, 20, 20, NAVY)
    fill(p, 6, 6, 18, 18, TEAL)
    fill(p, 6, 6, 10, 10, YELLOW)
    return p


write_bmp("TTABLE.bmp", table())
write_bmp("TQUERY.bmp", query())
write_bmp("DEFAULT.bmp", default())
