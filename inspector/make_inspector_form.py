#!/usr/bin/env python3
"""Writes ObjectInspector.form, the form resource of TObjectInspector, with the glyphs of its two image
lists drawn here: PropImages (9 x 9: plus, minus) and BooleanImages (21 x 15: empty box, ticked box, and
the same two pressed). Run it again after changing the layout or the glyphs."""
import struct
from pathlib import Path

MAGENTA = (255, 0, 255)  # transparent colour of the check-box glyphs
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GREY, DARK, LIGHT, FACE = (128, 128, 128), (64, 64, 64), (223, 223, 223), (192, 192, 192)


def bmp(width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):  # bottom-up rows, BGR
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + b"\0" * (row - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def plus_minus(plus):
    def pixel(x, y):
        if x in (0, 8) or y in (0, 8):
            return GREY
        if y == 4 and 2 <= x <= 6:
            return BLACK
        if plus and x == 4 and 2 <= y <= 6:
            return BLACK
        return WHITE
    return pixel


# The tick: a short stroke down to the right, then a long one up to the right, three pixels thick.
TICK = {(x, y + d) for x, y in [(3, 5), (4, 6), (5, 7), (6, 6), (7, 5), (8, 4), (9, 3)] for d in range(3)}


def check_box(ticked, pressed):
    left, top, size = 4, 1, 13

    def pixel(x, y):
        bx, by = x - left, y - top
        if not (0 <= bx < size and 0 <= by < size):
            return MAGENTA
        if bx == size - 1 or by == size - 1:
            return WHITE  # outer light edge, bottom and right
        if bx == 0 or by == 0:
            return GREY  # outer shadow, top and left
        if bx == size - 2 or by == size - 2:
            return LIGHT
        if bx == 1 or by == 1:
            return DARK
        if ticked and (bx, by) in TICK:
            return BLACK
        return FACE if pressed else WHITE
    return pixel


def image_list(width, height, glyphs, transparent):
    out = bytearray(b"FWIL") + struct.pack("<III", width, height, len(glyphs))
    for pixel in glyphs:
        data = bmp(width, height, pixel)
        colour = transparent[0] | transparent[1] << 8 | transparent[2] << 16 if transparent else 0
        out += struct.pack("<BII", 1 if transparent else 0, colour, len(data)) + data
    return bytes(out)


def hex_lines(data, indent):
    pad = " " * indent
    return [pad + data[i:i + 32].hex().upper() for i in range(0, len(data), 32)]


def main():
    lines = """object ObjectInspector: TObjectInspector
  Left = 186
  Top = 210
  Width = 220
  Height = 314
  BorderStyle = bsSizeToolWin
  Caption = 'Object Inspector'
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  FormStyle = fsStayOnTop
  KeyPreview = True
  PixelsPerInch = 96
  OnClose = FormClose
  OnKeyDown = FormKeyDown
  OnResize = FormResize
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 212
    Height = 29
    Align = alTop
    TabOrder = 1
    object Components: TComboBox
      Left = 4
      Top = 4
      Width = 205
      Height = 20
      Style = csDropDownList
      ItemHeight = 12
      Sorted = True
      TabOrder = 0
      OnChange = ComponentsChange
    end
  end
  object PropBook: TPageControl
    Left = 0
    Top = 29
    Width = 212
    Height = 258
    ActivePage = PropSheet
    Align = alClient
    TabOrder = 0
    TabStop = False
    TabWidth = 68
    object PropSheet: TTabSheet
      Caption = 'Properties'
    end
    object MethodSheet: TTabSheet
      Caption = 'Events'
    end
  end
  object PropImages: TImageList
    Height = 9
    Width = 9
    Bitmap = {""".split("\n")
    lines += hex_lines(image_list(9, 9, [plus_minus(True), plus_minus(False)], None), 6)
    lines += """    }
  end
  object BooleanImages: TImageList
    Height = 15
    Width = 21
    Bitmap = {""".split("\n")
    glyphs = [check_box(False, False), check_box(True, False), check_box(False, True), check_box(True, True)]
    lines += hex_lines(image_list(21, 15, glyphs, MAGENTA), 6)
    lines += ["    }", "  end"]
    # The filter box, last so that the controls above keep their order; aligned to the top, it comes
    # right below Panel1.
    lines += """  object FilterPanel: TPanel
    Left = 0
    Top = 29
    Width = 212
    Height = 25
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 2
    object Filter: TEdit
      Left = 4
      Top = 2
      Width = 205
      Height = 20
      TabOrder = 0
      OnChange = FilterChange
      OnKeyDown = FilterKeyDown
    end
  end
end
""".split("\n")
    Path(__file__).with_name("ObjectInspector.form").write_text("\n".join(lines), encoding="utf-8")


if __name__ == "__main__":
    main()
