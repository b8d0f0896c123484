#!/usr/bin/env python3
"""Writes sample.form: the form the runtime designer tests design. Its image holds a small 8 x 8 bitmap
(red left half, blue right half) so the picture data streams through saves, loads and the clipboard."""
import struct


def bitmap_bytes(width=8, height=8):
    row = b"".join(bytes((0, 0, 255)) if x < width // 2 else bytes((255, 0, 0)) for x in range(width))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def picture_data():
    bmp = bitmap_bytes()
    data = bytes([7]) + b"TBitmap" + struct.pack("<I", len(bmp)) + bmp
    hexed = data.hex().upper()
    return ["      " + hexed[i:i + 64] for i in range(0, len(hexed), 64)]


lines = picture_data()
lines[-1] += "}"
form = f"""object DesignSample: TDesignSample
  Left = 200
  Top = 100
  Width = 420
  Height = 320
  Caption = 'DesignSample'
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 40
    Height = 13
    Caption = 'Label1'
  end
  object Image1: TImage
    Left = 8
    Top = 200
    Width = 8
    Height = 8
    AutoSize = True
    Picture.Data = {{
{chr(10).join(lines)}
  end
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
    Left = 200
    Top = 144
    Width = 185
    Height = 120
    Caption = 'Panel1'
    TabOrder = 2
    object Button3: TButton
      Left = 16
      Top = 16
      Width = 75
      Height = 25
      Caption = 'Button3'
      TabOrder = 0
    end
  end
  object StringGrid1: TStringGrid
    Left = 104
    Top = 8
    Width = 280
    Height = 97
    TabOrder = 3
  end
  object Table1: TTable
    Left = 96
    Top = 160
  end
  object Query1: TQuery
    Left = 136
    Top = 160
  end
end
"""
with open("sample.form", "w") as f:
    f.write(form)
