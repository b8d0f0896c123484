#!/usr/bin/env python3
"""Converts an X window dump (xwd, a true-colour ZPixmap) to PNG. Standard library only.

usage: xwd_to_png.py INPUT.xwd OUTPUT.png
"""
import struct
import sys
import zlib


def read_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    (header_size, _version, pixmap_format, _depth, width, height, _xoffset, byte_order, _unit,
     _bit_order, _pad, bits_per_pixel, bytes_per_line, _visual, red_mask, green_mask, blue_mask,
     _bits_per_rgb, _colormap_entries, ncolors, *_rest) = fields
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise SystemExit("only true-colour ZPixmap dumps are supported")
    offset = header_size + ncolors * 12
    step = bits_per_pixel // 8

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [(shift(m), m) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        out = bytearray()
        for x in range(width):
            chunk = line[x * step:(x + 1) * step]
            value = int.from_bytes(chunk, "big" if byte_order == 1 else "little")
            for s, m in shifts:
                out.append((value & m) >> s)
        rows.append(bytes(out))
    return width, height, rows


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


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], "rb") as f:
        width, height, rows = read_xwd(f.read())
    write_png(sys.argv[2], width, height, rows)
