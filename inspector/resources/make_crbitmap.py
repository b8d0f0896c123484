#!/usr/bin/env python3
"""Draws CRBITMAP.bmp: the cursor pictures of the cursor value list.

A monochrome bitmap 32 pixels wide and 672 high: 21 pictures of 32 x 32 stacked from the top, black
figures on white, in the order crDefault, crArrow, crCross, crIBeam, four-way sizing, crSizeNESW,
crSizeNS, crSizeNWSE, crSizeWE, crUpArrow, crHourGlass, crDrag, crNoDrop, crHSplit, crVSplit,
crMultiDrag, crSQLWait, crNo, crAppStart, crHelp, crHandPoint. Standard library only.
"""
import math
import os
import struct

W, H = 32, 32
COUNT = 21


class Picture:
    def __init__(self):
        self.px = [[0] * W for _ in range(H)]  # 1 = black

    def set(self, x, y, v=1):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = v

    def line(self, x0, y0, x1, y1, v=1, thick=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(thick):
                for dy in range(thick):
                    self.set(x + dx, y + dy, v)

    def rect(self, x0, y0, x1, y1, v=1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, v)

    def frame(self, x0, y0, x1, y1, v=1):
        self.line(x0, y0, x1, y0, v)
        self.line(x0, y1, x1, y1, v)
        self.line(x0, y0, x0, y1, v)
        self.line(x1, y0, x1, y1, v)

    def polygon(self, points, v=1):
        # Even-odd scanline fill through pixel centres, then the outline.
        for y in range(H):
            yc = y + 0.5
            xs = []
            for i, (ax, ay) in enumerate(points):
                bx, by = points[(i + 1) % len(points)]
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                    self.set(x, y, v)
        for i, (ax, ay) in enumerate(points):
            bx, by = points[(i + 1) % len(points)]
            self.line(round(ax), round(ay), round(bx), round(by), v)

    def circle(self, cx, cy, r, v=1, thick=2):
        for y in range(H):
            for x in range(W):
                d = math.hypot(x - cx, y - cy)
                if r - thick < d <= r:
                    self.set(x, y, v)


def arrow(p, x=2, y=1, scale=1.0):
    pts = [(0, 0), (0, 16), (4, 12), (7, 19), (9, 18), (6, 11), (11, 11)]
    p.polygon([(x + a * scale, y + b * scale) for a, b in pts])


def double_arrow(p, x0, y0, x1, y1):
    p.line(x0, y0, x1, y1, thick=2)
    ang = math.atan2(y1 - y0, x1 - x0)
    for (ex, ey, a) in ((x1, y1, ang), (x0, y0, ang + math.pi)):
        tip = (ex, ey)
        left = (ex - 6 * math.cos(a - 0.6), ey - 6 * math.sin(a - 0.6))
        right = (ex - 6 * math.cos(a + 0.6), ey - 6 * math.sin(a + 0.6))
        p.polygon([tip, left, right])


def hourglass(p, x, y, s=1.0):
    p.rect(round(x), round(y), round(x + 14 * s), round(y + 1 * s))
    p.rect(round(x), round(y + 19 * s), round(x + 14 * s), round(y + 20 * s))
    p.polygon([(x + 1 * s, y + 2 * s), (x + 13 * s, y + 2 * s), (x + 7 * s, y + 10 * s)])
    p.polygon([(x + 7 * s, y + 10 * s), (x + 13 * s, y + 18 * s), (x + 1 * s, y + 18 * s)])


def split(p, vertical):
    # Two bars with arrows pointing away from them.
    if vertical:  # crVSplit: bars across, arrows up and down
        p.rect(6, 14, 25, 14)
        p.rect(6, 17, 25, 17)
        p.line(15, 3, 15, 12, thick=2)
        p.line(15, 19, 15, 28, thick=2)
        p.polygon([(16, 1), (11, 7), (21, 7)])
        p.polygon([(16, 30), (11, 24), (21, 24)])
    else:  # crHSplit: bars upright, arrows left and right
        p.rect(14, 6, 14, 25)
        p.rect(17, 6, 17, 25)
        p.line(3, 15, 12, 15, thick=2)
        p.line(19, 15, 28, 15, thick=2)
        p.polygon([(1, 16), (7, 11), (7, 21)])
        p.polygon([(30, 16), (24, 11), (24, 21)])


def no_sign(p, cx, cy, r):
    p.circle(cx, cy, r, thick=3)
    d = r / math.sqrt(2)
    p.line(round(cx - d), round(cy - d), round(cx + d), round(cy + d), thick=3)


def pictures():
    pics = [Picture() for _ in range(COUNT)]
    # 0 crDefault, 1 crArrow: the arrow.
    arrow(pics[0])
    arrow(pics[1])
    # 2 crCross
    pics[2].line(15, 2, 15, 29, thick=2)
    pics[2].line(2, 15, 29, 15, thick=2)
    # 3 crIBeam
    p = pics[3]
    p.line(15, 5, 15, 26, thick=2)
    p.line(11, 4, 14, 4)
    p.line(17, 4, 20, 4)
    p.line(11, 27, 14, 27)
    p.line(17, 27, 20, 27)
    # 4 four-way sizing arrows
    double_arrow(pics[4], 16, 2, 16, 29)
    double_arrow(pics[4], 2, 16, 29, 16)
    # 5 crSizeNESW, 6 crSizeNS, 7 crSizeNWSE, 8 crSizeWE
    double_arrow(pics[5], 5, 26, 26, 5)
    double_arrow(pics[6], 16, 2, 16, 29)
    double_arrow(pics[7], 5, 5, 26, 26)
    double_arrow(pics[8], 2, 16, 29, 16)
    # 9 crUpArrow
    p = pics[9]
    p.polygon([(16, 1), (8, 11), (13, 11), (13, 29), (19, 29), (19, 11), (24, 11)])
    # 10 crHourGlass
    hourglass(pics[10], 9, 5)
    # 11 crDrag: the arrow with a sheet below it
    arrow(pics[11], 2, 1, 0.8)
    pics[11].frame(12, 17, 26, 29)
    # 12 crNoDrop: the arrow with a no-sign
    arrow(pics[12], 2, 1, 0.8)
    no_sign(pics[12], 21, 21, 8)
    # 13 crHSplit, 14 crVSplit
    split(pics[13], False)
    split(pics[14], True)
    # 15 crMultiDrag: the arrow with stacked sheets
    arrow(pics[15], 2, 1, 0.8)
    pics[15].frame(14, 15, 28, 25)
    pics[15].frame(11, 18, 25, 28)
    pics[15].rect(12, 19, 24, 27, 0)
    pics[15].frame(11, 18, 25, 28)
    # 16 crSQLWait: hourglass with a small database drum
    hourglass(pics[16], 2, 2, 0.8)
    p = pics[16]
    p.frame(17, 18, 29, 29)
    p.line(17, 21, 29, 21)
    p.line(17, 25, 29, 25)
    # 17 crNo
    no_sign(pics[17], 16, 16, 13)
    # 18 crAppStart: the arrow with a small hourglass
    arrow(pics[18], 2, 1, 0.8)
    hourglass(pics[18], 18, 14, 0.6)
    # 19 crHelp: the arrow with a question mark
    arrow(pics[19], 2, 1, 0.8)
    p = pics[19]
    for a in range(0, 200, 5):
        t = math.radians(200 - a)
        p.set(round(22 + 4 * math.cos(t)), round(15 - 4 * math.sin(t)))
        p.set(round(22 + 4 * math.cos(t)) + 1, round(15 - 4 * math.sin(t)))
    p.line(25, 16, 22, 20, thick=2)
    p.line(22, 21, 22, 23, thick=2)
    p.rect(22, 26, 23, 27)
    # 20 crHandPoint: a hand with the index finger up
    p = pics[20]
    p.polygon([(11, 2), (14, 2), (14, 12), (24, 14), (26, 17), (25, 26), (21, 30), (12, 30), (5, 20),
               (6, 17), (11, 20)])
    p.polygon([(12, 4), (13, 4), (13, 14), (12, 14)], 0)
    p.line(17, 14, 17, 19, 0)
    p.line(21, 15, 21, 19, 0)
    return pics


def write_bmp(path, pics):
    height = H * len(pics)
    row_bytes = 4  # 32 pixels, 1 bit each, already a multiple of 4
    image = bytearray()
    # Bottom-up rows; bit 1 = palette entry 1 (white), so black figures are 0 bits.
    for y in range(height - 1, -1, -1):
        row = pics[y // H].px[y % H]
        bits = 0
        for x in range(W):
            if not row[x]:
                bits |= 1 << (31 - x)
        image += struct.pack(">I", bits)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, W, height, 1, 1, 0, len(image), 2835, 2835, 2, 2)
    with open(path, "wb") as f:
        f.write(header + info + palette + image)
    assert len(image) == row_bytes * height


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "CRBITMAP.bmp"), pictures())
