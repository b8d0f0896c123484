#!/usr/bin/env python3
"""Writes the form resources of the four designer dialogs: ObjAlign.form (TAlignDialog), ObjSize.form
(TSizeDialog), ObjTab.form (TTabOrderDlg) and ObjCreat.form (TCreationOrderDlg), with the 16 x 16 arrow
glyphs of the order dialogs' up and down buttons drawn here. Run it again after changing a layout."""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
OLIVE = (128, 128, 0)  # the glyphs' transparent colour (their bottom-left pixel)
BLACK = (0, 0, 0)


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


def arrow(up):
    """A solid triangle over a stem, pointing up or down."""
    def pixel(x, y):
        yy = y if up else 15 - y
        # head: rows 2..8, widening by one pixel each side per row around the centre columns 7 and 8
        if 2 <= yy <= 8 and 7 - (yy - 2) <= x <= 8 + (yy - 2):
            return BLACK
        if 9 <= yy <= 13 and 6 <= x <= 9:
            return BLACK
        return OLIVE
    return pixel


def binary_property(name, data, indent):
    """A binary property as the text form writes it: the 4-byte length, then the bytes, in hex lines."""
    blob = struct.pack("<I", len(data)) + data
    text = blob.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    pad = " " * indent
    return f"{pad}{name} = {{\n" + "".join(f"{pad}  {line}\n" for line in lines[:-1]) + \
        f"{pad}  {lines[-1]}}}\n"


def obj(name, cls, props, children=(), indent=2):
    pad = " " * indent
    out = f"{pad}object {name}: {cls}\n"
    for key, value in props:
        out += value if key is None else f"{pad}  {key} = {value}\n"
    for child in children:
        out += obj(*child, indent=indent + 2)
    return out + f"{pad}end\n"


def form(name, cls, props, children):
    out = f"object {name}: {cls}\n"
    for key, value in props:
        out += f"  {key} = {value}\n"
    for child in children:
        out += obj(*child)
    return out + "end\n"


def q(text):
    return "'" + text.replace("'", "''") + "'"


def bounds(l, t, w, h):
    return [("Left", l), ("Top", t), ("Width", w), ("Height", h)]


def radio(name, caption, box, order, checked=False):
    props = bounds(*box) + [("Caption", q(caption))]
    if checked:
        props.append(("Checked", "True"))
    props.append(("TabOrder", order))
    if checked:
        props.append(("TabStop", "True"))
    return (name, "TRadioButton", props)


def button(name, caption, box, order, extra=()):
    return (name, "TButton", bounds(*box) + [("Caption", q(caption))] + list(extra) + [("TabOrder", order)])


def dialog_buttons(top, lefts, first_order):
    ok, cancel, help_ = lefts
    return [
        button("OKButton", "OK", (ok, top, 75, 25), first_order, [("Default", "True"), ("ModalResult", 1)]),
        button("CancelButton", "Cancel", (cancel, top, 75, 25), first_order + 1,
               [("Cancel", "True"), ("ModalResult", 2)]),
        button("HelpButton", "&Help", (help_, top, 75, 25), first_order + 2),
    ]


def dialog_props(caption, width, height, help_context=None, extra=()):
    props = [("Left", 200), ("Top", 120), ("BorderStyle", "bsDialog")] + list(extra)
    props += [("Caption", q(caption)), ("ClientHeight", height), ("ClientWidth", width)]
    if help_context:
        props.append(("HelpContext", help_context))
    return props + [("Position", "poScreenCenter")]


def align_form():
    def group(name, caption, box, order, buttons):
        return (name, "TGroupBox", bounds(*box) + [("Caption", q(caption)), ("TabOrder", order)],
                [radio(n, c, b, i, i == 0) for i, (n, c, b) in enumerate(buttons)])
    horizontal = [("hNoChange", "&No change", (12, 16, 133, 18)), ("hLeftSides", "&Left sides", (12, 36, 133, 18)),
                  ("hCenters", "&Centers", (12, 56, 133, 18)), ("hRightSides", "&Right sides", (12, 76, 133, 18)),
                  ("hSpaceEqual", "&Space equally", (12, 96, 133, 18)),
                  ("hCenterInWindow", "Center in &window", (12, 116, 133, 18))]
    vertical = [("vNoChange", "No chan&ge", (11, 16, 90, 18)), ("vTops", "&Tops", (11, 36, 90, 18)),
                ("vCenters", "C&enters", (11, 56, 90, 18)), ("vBottoms", "&Bottoms", (11, 76, 90, 18)),
                ("vSpaceEqual", "Space e&qually", (11, 96, 126, 18)),
                ("vCenterInWindow", "Center &in window", (11, 116, 123, 18))]
    children = [group("GroupBox1", "Horizontal", (8, 8, 148, 140), 0, horizontal),
                group("GroupBox2", "Vertical", (164, 8, 148, 140), 1, vertical)]
    children += dialog_buttons(158, (77, 157, 237), 2)
    return form("AlignDialog", "TAlignDialog", dialog_props("Alignment", 320, 191, 1475), children)


def size_form():
    def group(name, caption, box, order, prefix, buttons, edit, handler):
        kids = []
        for i, (n, c, b) in enumerate(buttons):
            name_, cls, props = radio(prefix + n, c, b, i, i == 0)
            kids.append((name_, cls, props + [("OnClick", handler)]))
        kids.append((prefix + edit, "TEdit", bounds(72, 97, 60, 21) + [("Enabled", "False"), ("TabOrder", 5)]))
        return (name, "TGroupBox", bounds(*box) + [("Caption", q(caption)), ("TabOrder", order)], kids)
    width = [("NoChange", "&No change", (8, 16, 90, 20)), ("SameAsFirst", "S&ame as first controls", (8, 36, 136, 20)),
             ("Shrink", "&Shrink to smallest", (8, 56, 130, 20)), ("Grow", "&Grow to largest", (8, 76, 130, 20)),
             ("Absolute", "&Width:", (8, 96, 62, 20))]
    height = [("NoChange", "No &change", (8, 16, 90, 20)), ("SameAsFirst", "Same as &first controls", (8, 36, 136, 20)),
              ("Shrink", "Shrin&k to smallest", (8, 56, 130, 20)), ("Grow", "Grow to &largest", (8, 76, 118, 20)),
              ("Absolute", "Heigh&t:", (8, 96, 62, 20))]
    children = [group("GroupBox1", "Width:", (8, 8, 150, 128), 0, "h", width, "Width", "WidthButtonClick"),
                group("GroupBox2", "Height:", (168, 8, 150, 128), 1, "v", height, "Height", "HeightButtonClick")]
    buttons = dialog_buttons(143, (83, 163, 243), 2)
    buttons[0][2].append(("OnClick", "OKButtonClick"))
    children += buttons
    props = dialog_props("Size", 324, 171, extra=[("BorderIcons", "[biSystemMenu]")])
    return form("SizeDialog", "TSizeDialog", props, children)


def order_form(name, cls, caption, label, list_name, bevel_height, label_width):
    children = [
        ("Bevel1", "TBevel", bounds(8, 8, 257, bevel_height) + [("Shape", "bsFrame")]),
        ("Label1", "TLabel", bounds(18, 14, label_width, 13) + [("Caption", q(label)), ("FocusControl", list_name)]),
        (list_name, "TListBox", bounds(18, 30, 201, 173) + [
            ("ItemHeight", 13), ("TabOrder", 0), ("OnDragDrop", list_name + "DragDrop"),
            ("OnDragOver", list_name + "DragOver"), ("OnMouseDown", list_name + "MouseDown")]),
        ("UpButton", "TBitBtn", bounds(228, 82, 25, 24) + [
            ("TabOrder", 1), ("OnClick", "UpButtonClick"), (None, binary_property("Glyph.Data", bmp(16, 16, arrow(True)), 4))]),
        ("DownButton", "TBitBtn", bounds(228, 114, 25, 24) + [
            ("TabOrder", 2), ("OnClick", "DownButtonClick"),
            (None, binary_property("Glyph.Data", bmp(16, 16, arrow(False)), 4))]),
    ] + dialog_buttons(225, (30, 110, 190), 3)
    return form(name, cls, dialog_props(caption, 273, 258, 1638), children)


def main():
    (HERE / "ObjAlign.form").write_text(align_form())
    (HERE / "ObjSize.form").write_text(size_form())
    (HERE / "ObjTab.form").write_text(order_form(
        "TabOrderDlg", "TTabOrderDlg", "Edit Tab Order", "&Controls listed in tab order:", "TabList", 205, 124))
    (HERE / "ObjCreat.form").write_text(order_form(
        "CreationOrderDlg", "TCreationOrderDlg", "Creation Order", "&Creation order of non-visual components:",
        "CreationList", 207, 193))


if __name__ == "__main__":
    main()
