#!/usr/bin/python3
"""Makes examples/site_plan.dxf, the sample drawing of `make demo`: a small site plan.

Run with Debian's interpreter, which has ezdxf:  /usr/bin/python3 examples/make_site_plan.py

Contents (drawing units: metres):
  - layers: BOUNDARY, BUILDINGS, ROADS, LAWN, TREES, TEXT, and CONSTRUCTION (frozen: its
    guide lines must not show in pictures);
  - the plot boundary and two buildings as closed lightweight polylines, the second building
    turned 15 degrees, a driveway with a rounded (bulged) corner, a road edge as a 2D polyline;
  - a hatch of the lawn (a solid fill bounded by a polyline and an arc);
  - the block TREE (a canopy circle, a trunk circle, and the attributes SPECIES and HEIGHT)
    inserted four times, at different scales and rotations, one with its own colour;
  - a north arrow block nested in a PLAN_MARKER block, inserted rotated;
  - texts: the title, the street name along the road, and a rotated label;
  - a garden fence on layer FENCE drawn as loose pieces, in no order and some the other way
    round: four lines and a quarter arc that `JOIN` (examples/join.script) makes one polyline.
"""

import math
import pathlib

import ezdxf
from ezdxf.enums import TextEntityAlignment

OUT = pathlib.Path(__file__).with_name("site_plan.dxf")


def main() -> None:
    doc = ezdxf.new("R2018", setup=False)
    doc.header["$INSUNITS"] = 6  # metres
    doc.header["$MEASUREMENT"] = 1

    layers = {
        "BOUNDARY": 3,
        "BUILDINGS": 1,
        "ROADS": 8,
        "LAWN": 94,
        "TREES": 62,
        "TEXT": 7,
        "CONSTRUCTION": 30,
        "FENCE": 34,
    }
    for name, color in layers.items():
        doc.layers.add(name, color=color)
    doc.layers.get("CONSTRUCTION").freeze()

    tree = doc.blocks.new("TREE", base_point=(0, 0))
    tree.add_circle((0, 0), 2.5, dxfattribs={"layer": "0", "color": 0})  # by block
    tree.add_circle((0, 0), 0.3, dxfattribs={"layer": "0", "color": 42})
    tree.add_attdef("SPECIES", (0.0, -3.2), dxfattribs={"height": 0.5, "layer": "TEXT"})
    tree.add_attdef("HEIGHT", (0.0, -4.0), dxfattribs={"height": 0.4, "layer": "TEXT"})

    north = doc.blocks.new("NORTH_ARROW", base_point=(0, 0))
    north.add_lwpolyline([(0, 3), (1, -1), (0, 0), (-1, -1)], close=True)
    north.add_solid([(0, 3), (0, 0), (1, -1)])
    north.add_text("N", dxfattribs={"height": 0.8}).set_placement(
        (0, 3.4), align=TextEntityAlignment.BOTTOM_CENTER
    )
    marker = doc.blocks.new("PLAN_MARKER", base_point=(0, 0))
    marker.add_circle((0, 0), 2.0)
    marker.add_blockref("NORTH_ARROW", (0, 0), dxfattribs={"xscale": 0.5, "yscale": 0.5})

    msp = doc.modelspace()

    # The plot and its buildings.
    msp.add_lwpolyline(
        [(0, 0), (60, 0), (60, 40), (0, 40)], close=True, dxfattribs={"layer": "BOUNDARY"}
    )
    msp.add_lwpolyline(
        [(8, 8), (26, 8), (26, 20), (8, 20)], close=True, dxfattribs={"layer": "BUILDINGS"}
    )
    angle = math.radians(15)
    shed = [(0, 0), (8, 0), (8, 5), (0, 5)]
    turned = [
        (38 + x * math.cos(angle) - y * math.sin(angle), 22 + x * math.sin(angle) + y * math.cos(angle))
        for x, y in shed
    ]
    msp.add_lwpolyline(turned, close=True, dxfattribs={"layer": "BUILDINGS"})

    # Driveway turning left onto the road with a rounded corner (a quarter circle: bulge
    # tan(90deg / 4), counterclockwise), and the road edge.
    msp.add_lwpolyline(
        [(17, 8, 0, 0, 0), (17, 2, 0, 0, 0.41421356), (21, -2, 0, 0, 0), (70, -2)],
        format="xyseb",
        dxfattribs={"layer": "ROADS"},
    )
    msp.add_polyline2d([(-10, -6), (70, -6)], dxfattribs={"layer": "ROADS"})

    # The lawn: a solid hatch bounded by straight edges and an arc.
    lawn = msp.add_hatch(color=94, dxfattribs={"layer": "LAWN"})
    lawn.set_solid_fill(color=94)
    edges = lawn.paths.add_edge_path()
    edges.add_line((32, 4), (56, 4))
    edges.add_line((56, 4), (56, 14))
    edges.add_arc((44, 14), radius=12, start_angle=0, end_angle=180)
    edges.add_line((32, 14), (32, 4))

    # Trees: the block with its attributes, placed four times.
    for (x, y), scale, rotation, species, height, color in [
        ((5, 33), 1.0, 0, "Oak", "12 m", 256),
        ((14, 33), 0.8, 30, "Birch", "9 m", 256),
        ((52, 33), 1.2, 0, "Lime", "15 m", 256),
        ((48, 10), 0.6, 45, "Rowan", "6 m", 2),
    ]:
        ref = msp.add_blockref(
            "TREE",
            (x, y),
            dxfattribs={
                "layer": "TREES",
                "xscale": scale,
                "yscale": scale,
                "rotation": rotation,
                "color": color,
            },
        )
        ref.add_auto_attribs({"SPECIES": species, "HEIGHT": height})

    # The plan marker, turned so north points up-left; it nests the north arrow.
    msp.add_blockref("PLAN_MARKER", (66, 36), dxfattribs={"rotation": 20})

    # Guide lines on the frozen layer.
    msp.add_line((0, 20), (60, 20), dxfattribs={"layer": "CONSTRUCTION"})
    msp.add_line((30, 0), (30, 40), dxfattribs={"layer": "CONSTRUCTION"})

    # The garden fence, as it arrives from another program: loose pieces, scattered.
    fence = {"layer": "FENCE"}
    msp.add_line((38, 36), (30, 36), dxfattribs=fence)
    msp.add_line((50, 26), (50, 32), dxfattribs=fence)
    msp.add_arc((46, 32), radius=4, start_angle=0, end_angle=90, dxfattribs=fence)
    msp.add_line((50, 26), (50, 20), dxfattribs=fence)
    msp.add_line((38, 36), (46, 36), dxfattribs=fence)

    # Texts.
    msp.add_text("SITE PLAN 1:200", dxfattribs={"layer": "TEXT", "height": 2.0}).set_placement(
        (0, 44)
    )
    msp.add_text("Birch Road", dxfattribs={"layer": "TEXT", "height": 1.2}).set_placement(
        (25, -5)
    )
    msp.add_text("Shed", dxfattribs={"layer": "TEXT", "height": 1.0, "rotation": 15}).set_placement(
        (40, 24)
    )
    msp.add_text("House", dxfattribs={"layer": "TEXT", "height": 1.5}).set_placement(
        (17, 14), align=TextEntityAlignment.MIDDLE_CENTER
    )

    doc.saveas(OUT)
    auditor = doc.audit()
    if auditor.has_errors:
        raise SystemExit(f"audit found {len(auditor.errors)} errors")


if __name__ == "__main__":
    main()
