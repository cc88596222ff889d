#!/usr/bin/python3
"""Makes the parts library of examples/insert.script: small drawings in millimetres, each
with its base point and attribute definitions. Run with Debian's interpreter:
    /usr/bin/python3 examples/parts/make_parts.py
"""
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
VERIFY, PRESET = 4, 8


def part(name, base, draw, attributes):
    doc = ezdxf.new("R2018")
    doc.units = ezdxf.units.MM
    doc.header["$INSBASE"] = (base[0], base[1], 0)
    msp = doc.modelspace()
    draw(msp)
    for tag, prompt, default, at, flags in attributes:
        attdef = msp.add_attdef(tag, at, dxfattribs={"height": 120, "prompt": prompt, "flags": flags})
        attdef.dxf.text = default
    doc.saveas(os.path.join(HERE, name))


def door(width):
    def draw(msp):
        msp.add_line((0, 0), (width, 0))
        msp.add_line((0, 0), (0, width))
        msp.add_arc((0, 0), width, 0, 90)
    return draw


def desk(msp):
    msp.add_lwpolyline([(0, 0), (1400, 0), (1400, 700), (0, 700)], close=True)
    msp.add_circle((700, 1000), 250)


def window(msp):
    msp.add_lwpolyline([(0, 0), (1200, 0), (1200, 150), (0, 150)], close=True)
    msp.add_line((0, 75), (1200, 75))


part("door.dxf", (0, 0), door(900), [("NUMBER", "Door number", "D-000", (100, -250), 0)])
part("door_wide.dxf", (0, 0), door(1200), [("NUMBER", "Door number", "D-000", (100, -250), 0)])
part("desk.dxf", (700, 350), desk, [
    ("ROOM", "Room", "R-1", (50, 50), 0),
    ("SEAT", "Seat number", "1", (50, 250), VERIFY),
    ("MAKER", "", "Oakline", (50, 450), PRESET),
])
part("window.dxf", (600, 0), window, [("TYPE", "Window type", "W1", (0, 300), 0)])
