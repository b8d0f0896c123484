#!/usr/bin/env python3
"""Converts an X window dump (xwd, a true-colour ZPixmap) to PNG. Standard library only.

usage: xwd_to_png.py SCREEN.xwd OUTPUT.png [WINDOW.xwd ...]

Dumps of single windows given after the output are pasted over the screen at their window position:
on a virtual X server without a window manager, a tool-tip window mapped over another window shows
black in a dump of the whole screen, while a dump of the window itself holds what it shows.
"""
import struct
import sys
import zlib


class XwdImage:
    """A true-colour ZPixmap dump: its size, its window's position, and its pixels as (r, g, b)."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        (header_size, _version, pixmap_format, _depth, self.width, self.height, _xoffset, byte_order, _unit,
         _bit_order, _pad, bits_per_pixel, self._bytes_per_line, _visual, red_mask, green_mask, blue_mask,
         _bits_per_rgb, _colormap_entries, ncolors, _window_width, _window_height, window_x, window_y,
         _border) = fields
        if pixmap_format != 2 or bits_per_pixel not in (24, 32):
            raise SystemExit("only true-colour ZPixmap dumps are supported")
        self._data = data
        self._offset = header_size + ncolors * 12
        self._step = bits_per_pixel // 8
        self._order = "big" if byte_order == 1 else "little"

        def shift(mask):
            return (mask & -mask).bit_length() - 1

        self._shifts = [(shift(m), m) for m in (red_mask, green_mask, blue_mask)]
        to_signed = lambda v: v - (1 << 32) if v >= 1 << 31 else v
        self.x, self.y = to_signed(window_x), to_signed(window_y)

    def pixel(self, x, y):
        start = self._offset + y * self._bytes_per_line + x * self._step
        value = int.from_bytes(self._data[start:start + self._step], self._order)
        return tuple((value & m) >> s for s, m in self._shifts)

    def row(self, y):
        out = bytearray()
        for x in range(self.width):
            out.extend(self.pixel(x, y))
        return bytes(out)


def read_xwd(data):
    image = XwdImage(data)
    rows = [image.row(y) for y in range(image.height)]
    return image.width, image.height, rows, image.x, image.y


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def paste(rows, width, height, window):
    w, h, pixels, x0, y0 = window
    for y in range(h):
        ty = y0 + y
        if not 0 <= ty < height:
            continue
        left, right = max(x0, 0), min(x0 + w, width)
        if left >= right:
            continue
        line = bytearray(rows[ty])
        line[left * 3:right * 3] = pixels[y][(left - x0) * 3:(right - x0) * 3]
        rows[ty] = bytes(line)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], "rb") as f:
        width, height, rows, _x, _y = read_xwd(f.read())
    for extra in sys.argv[3:]:
        with open(extra, "rb") as f:
            paste(rows, width, height, read_xwd(f.read()))
    write_png(sys.argv[2], width, height, rows)
