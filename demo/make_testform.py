#!/usr/bin/env python3
"""Writes testform.form, the form resource of the sample form TForm2, with Image1's picture (a 227 x 149
bitmap drawn here: a sky-to-sea gradient with a sun) stored as picture data. Run it again after changing the
layout; the form file is what the program compiles in."""
import math
import struct
from pathlib import Path

W, H = 227, 149


def pixel(x, y):
    if (x - 170) ** 2 + (y - 40) ** 2 < 22 ** 2:
        return (255, 210, 40)  # sun
    if y < 95:  # sky
        t = y / 95
        return (int(70 + 120 * t), int(130 + 90 * t), 235)
    wave = 4 * math.sin(x / 9.0)
    if y < 100 + wave:
        return (240, 240, 250)  # surf line
    t = (y - 95) / (H - 95)
    return (int(20 + 20 * t), int(90 - 40 * t), int(160 - 60 * t))  # sea


def bmp():
    row = (W * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(H)):  # bottom-up rows, BGR
        line = bytearray()
        for x in range(W):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - W * 3)
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def picture_data():
    data = bmp()
    return bytes((7,)) + b"TBitmap" + struct.pack("<I", len(data)) + data


def hex_lines(data, indent):
    pad = " " * indent
    return [pad + data[i:i + 32].hex().upper() for i in range(0, len(data), 32)]


def main():
    lines = """object Form2: TForm2
  Left = 273
  Top = 107
  Width = 432
  Height = 340
  Caption = 'Form2'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  PixelsPerInch = 96
  object Label1: TLabel
    Left = 8
    Top = 96
    Width = 94
    Height = 37
    Caption = 'Label1'
    Font.Height = -32
    Font.Name = 'MS Sans Serif'
    ParentFont = False
  end
  object Image1: TImage
    Left = 0
    Top = 144
    Width = 227
    Height = 149
    AutoSize = True
    Picture.Data = {""".split("\n")
    lines += hex_lines(picture_data(), 6)
    lines[-1] += "}"
    lines += """  end
  object Button1: TButton
    Left = 8
    Top = 32
    Width = 75
    Height = 25
    Caption = 'Button1'
    TabOrder = 0
  end
  object Button2: TButton
    Left = 8
    Top = 64
    Width = 75
    Height = 25
    Caption = 'Button2'
    TabOrder = 1
  end
  object Panel1: TPanel
    Left = 240
    Top = 160
    Width = 170
    Height = 137
    Caption = 'Panel1'
    TabOrder = 2
    object Button3: TButton
      Left = 24
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Button3'
      TabOrder = 0
    end
  end
  object StringGrid1: TStringGrid
    Left = 104
    Top = 32
    Width = 313
    Height = 97
    TabOrder = 3
  end
  object Table1: TTable
    Left = 248
    Top = 136
  end
  object Query1: TQuery
    Left = 280
    Top = 136
  end
end""".split("\n")
    Path(__file__).with_name("testform.form").write_bytes(("\r\n".join(lines) + "\r\n").encode())


if __name__ == "__main__":
    main()
