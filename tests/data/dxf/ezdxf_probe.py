#!/usr/bin/python3
"""The independent side of the DXF interoperability tests, on ezdxf.

  ezdxf_probe.py make VERSION FILE     writes a drawing of that DXF version (R12, R2000 ...
                                       R2018) with layers, linetypes, blocks, attributes,
                                       entities of many kinds and extended data
  ezdxf_probe.py describe FILE         prints what ezdxf reads in FILE, as JSON
  ezdxf_probe.py check FILE EXPECTED   reads FILE with ezdxf, audits it and compares what it
                                       holds with EXPECTED (JSON written by the test); exit 0
                                       when the audit found no error nor fixed anything and
                                       everything matches

The description holds the layers, linetypes and registered applications, and for each block
and each layout's block the entities in order: type, handle, layer, extended data and, for block
references, their attributes.
"""
import json
import math
import sys

import ezdxf
from ezdxf.math import Vec3
from ezdxf.tools.text import caret_decode  # texts are compared as read, not as stored


def value_of(v):
    if isinstance(v, (bytes, bytearray)):
        return v.hex().upper()
    if isinstance(v, (Vec3, tuple, list)):
        return [float(c) for c in v]
    if isinstance(v, float):
        return v
    return v


def wcs(e, point):
    """A point of an entity given in its OCS, in world coordinates (ezdxf's own conversion)."""
    return [float(c) for c in e.ocs().to_wcs(Vec3(point))]


def angle(degrees):
    """An angle in degrees, in [0, 360)."""
    a = math.fmod(degrees, 360.0)
    return a + 360.0 if a < 0 else a


def pts(points):
    return [[float(c) for c in Vec3(p)] for p in points]


def plane_angle(v):
    """The angle of an OCS vector in its xy plane, in [0, 2pi)."""
    return math.atan2(v.y, v.x) % math.tau


def sector(vertex, ray1, ray2, arc):
    """The angle between two rays (OCS vectors) from a vertex, on the side of the arc point."""
    a1, a2 = plane_angle(ray1), plane_angle(ray2)
    between = (a2 - a1) % math.tau
    to_arc = arc - vertex
    if to_arc.magnitude == 0 or (plane_angle(to_arc) - a1) % math.tau <= between:
        return between
    return math.tau - between


def two_line_angle(s1, e1, s2, e2, arc):
    """The angle between two lines (OCS points) at their crossing, in the quarter of the arc
    point: between the nearest of the four rays on either side of it."""
    d1, d2 = e1 - s1, e2 - s2
    cross = d1.x * d2.y - d1.y * d2.x
    if abs(cross) <= 1e-9 * d1.magnitude * d2.magnitude:
        return 0.0
    g = s2 - s1
    vertex = s1 + d1 * ((g.x * d2.y - g.y * d2.x) / cross)
    to_arc = arc - vertex
    if to_arc.magnitude == 0:
        to_arc = d1.normalize() + d2.normalize()
    offsets = [(plane_angle(r) - plane_angle(to_arc)) % math.tau for r in (d1, d2, -d1, -d2)]
    return math.tau - max(offsets) + min(offsets)


def dimension_geometry(e):
    """What defines a dimension of a kind other than a length: its kind, block, definition
    points (world) in the order the database keeps them, text position and the values the
    kind has besides, and its measurement worked out here from the points, in the OCS."""
    t = e.dxftype()
    x = e.dxf
    ocs = e.ocs()
    head = [x.get("geometry", "")]
    text = wcs(e, x.text_midpoint)

    def local(p):
        return ocs.from_wcs(Vec3(p))

    if t == "ARC_DIMENSION":
        c, p1, p2, arc = local(x.defpoint4), local(x.defpoint2), local(x.defpoint3), local(x.defpoint)
        radius = (p1 - c).magnitude
        points = pts([x.defpoint2, x.defpoint3, x.defpoint4, x.defpoint, x.get("leader_point1", (0, 0, 0)),
                      x.get("leader_point2", (0, 0, 0))])
        extra = [x.get("start_angle", 0.0), x.get("end_angle", 0.0), x.get("is_partial", 0),
                 x.get("has_leader", 0)]
        return ["arc"] + head + [points, text, extra, radius * sector(c, p1 - c, p2 - c, arc)]
    if t == "LARGE_RADIAL_DIMENSION":
        points = pts([x.defpoint, x.chord_point, x.override_center, x.jog_point])
        return ["largeradial"] + head + [points, text, x.get("unknown2", math.pi / 4),
                                         (Vec3(x.chord_point) - Vec3(x.defpoint)).magnitude]
    kind = x.dimtype & 15
    if kind == 2:
        arc = wcs(e, x.defpoint5)
        points = pts([x.defpoint2, x.defpoint3, x.defpoint4, x.defpoint]) + [arc]
        angle = two_line_angle(local(x.defpoint2), local(x.defpoint3), local(x.defpoint4),
                               local(x.defpoint), Vec3(x.defpoint5))
        return ["angular2l"] + head + [points, text, angle]
    if kind in (3, 4):
        chord, other = Vec3(x.defpoint4), Vec3(x.defpoint)
        points = pts([chord, other] if kind == 3 else [other, chord])
        return ["diametric" if kind == 3 else "radial"] + head + [
            points, text, x.get("leader_length", 0.0), (chord - other).magnitude]
    if kind == 5:
        c, p1, p2, arc = local(x.defpoint4), local(x.defpoint2), local(x.defpoint3), local(x.defpoint)
        points = pts([x.defpoint2, x.defpoint3, x.defpoint4, x.defpoint])
        return ["angular3p"] + head + [points, text, sector(c, p1 - c, p2 - c, arc)]
    if kind == 6:
        uses_x = bool(x.dimtype & 64)
        v = local(x.defpoint2) - local(x.defpoint)
        turn = -math.radians(x.get("horizontal_direction", 0.0)) + (0 if uses_x else math.pi / 2)
        along = abs(v.x * math.cos(turn) + v.y * math.sin(turn))
        points = pts([x.defpoint, x.defpoint2, x.defpoint3])
        return ["ordinate"] + head + [points, text, uses_x, along]
    return None


def annotation_geometry(e):
    """What defines a dimension, a leader or a tolerance frame. The measurement of a dimension
    of a length is worked out here: the distance between the extension line origins (13, 14),
    for a rotated one projected on the dimension line's direction (50 in the OCS)."""
    t = e.dxftype()
    x = e.dxf
    if t in ("ARC_DIMENSION", "LARGE_RADIAL_DIMENSION") or (
            t == "DIMENSION" and x.dimtype & 15 in (2, 3, 4, 5, 6)):
        return dimension_geometry(e)
    if t == "DIMENSION" and x.dimtype & 15 in (0, 1):
        kind = x.dimtype & 15
        p1, p2 = Vec3(x.defpoint2), Vec3(x.defpoint3)
        if kind == 0:
            direction = e.ocs().to_wcs(Vec3.from_deg_angle(x.get("angle", 0.0)))
            measurement = abs((p2 - p1).dot(direction))
        else:
            measurement = (p2 - p1).magnitude
        return [kind, x.get("geometry", ""), pts([x.defpoint])[0], wcs(e, x.text_midpoint),
                pts([p1])[0], pts([p2])[0], angle(x.get("angle", 0.0)) if kind == 0 else 0,
                measurement]
    if t == "LEADER":
        return [pts(e.vertices), x.get("annotation_handle", "0").upper(),
                pts([x.get("normal_vector", (0, 0, 1))])[0]]
    if t == "TOLERANCE":
        return [caret_decode(x.content), pts([x.insert])[0], pts([x.x_axis_vector])[0],
                pts([x.get("extrusion", (0, 0, 1))])[0]]
    return None


def geometry_of(e):
    """What defines an entity, in world coordinates where the entity has a world position."""
    t = e.dxftype()
    x = e.dxf
    if t == "LINE":
        return pts([x.start, x.end])
    if t == "POINT":
        return pts([x.location])
    if t == "CIRCLE":
        return [wcs(e, x.center), x.radius]
    if t == "ARC":
        return [wcs(e, x.center), x.radius, angle(x.start_angle), angle(x.end_angle)]
    if t == "ELLIPSE":
        return pts([x.center, x.major_axis]) + [x.ratio, x.start_param, x.end_param]
    if t in ("TEXT", "ATTRIB", "ATTDEF"):
        # Left and baseline aligned text stands at its insertion point, any other at its
        # alignment point (the insertion point then follows from the font).
        aligned = x.get("halign", 0) != 0 or x.get("valign", 0) != 0
        point = x.align_point if aligned and x.hasattr("align_point") else x.insert
        return [caret_decode(x.text), wcs(e, point), x.height, angle(x.get("rotation", 0.0))]
    if t == "MTEXT":
        return [caret_decode(e.text), pts([x.insert])[0], x.char_height]
    if t == "INSERT":
        return [wcs(e, x.insert), x.get("xscale", 1.0), x.get("yscale", 1.0),
                x.get("zscale", 1.0), angle(x.get("rotation", 0.0))]
    if t == "LWPOLYLINE":
        return [[float(v) for v in p] for p in e.get_points("xyseb")] + [e.closed]
    if t == "POLYLINE":
        return pts([v.dxf.location for v in e.vertices]) + [e.is_closed]
    if t in ("SOLID", "TRACE"):
        return [wcs(e, x.get(f"vtx{i}", x.vtx2)) for i in range(4)]
    if t == "3DFACE":
        return pts([x.vtx0, x.vtx1, x.vtx2, x.get("vtx3", x.vtx2)])
    if t in ("RAY", "XLINE"):
        return pts([x.start, x.unit_vector])
    if t == "SPLINE":
        return [x.degree, pts(e.control_points)]
    return annotation_geometry(e)


def entity_of(e):
    d = {"type": e.dxftype(), "handle": e.dxf.handle.upper(), "layer": e.dxf.get("layer", "0"),
         "color": e.dxf.get("color", 256), "linetype": e.dxf.get("linetype", "BYLAYER").upper()}
    geometry = geometry_of(e)
    if geometry is not None:
        d["geometry"] = geometry
    if e.xdata:
        d["xdata"] = {
            app: [[code, value_of(value)] for code, value in tags if code != 1001]
            for app, tags in e.xdata.data.items()
        }
    if e.dxftype() == "INSERT":
        d["block"] = e.dxf.name
        d["attribs"] = [
            {"tag": a.dxf.tag, "text": caret_decode(a.dxf.text), "handle": a.dxf.handle.upper()}
            for a in e.attribs
        ]
    return d


def describe(doc):
    layers = {}
    for layer in doc.layers:
        layers[layer.dxf.name] = {
            "color": abs(layer.dxf.color),
            "off": layer.is_off(),
            "frozen": layer.is_frozen(),
            "locked": layer.is_locked(),
            "linetype": layer.dxf.linetype,
        }
    blocks = {}
    for block in doc.blocks:
        blocks[block.name] = [entity_of(e) for e in block]
    return {
        "layers": layers,
        "linetypes": sorted(lt.dxf.name for lt in doc.linetypes),
        "appids": sorted(a.dxf.name for a in doc.appids),
        "blocks": blocks,
    }


def make(version, path):
    doc = ezdxf.new(version)
    doc.linetypes.add("DASHDOTX", [2.0, 1.0, -0.25, 0.0, -0.25], description="Dash dot __ . __ .")
    doc.layers.add("Walls", color=3, linetype="DASHDOTX")
    doc.layers.add("Hidden", color=5).off()
    frozen = doc.layers.add("Frozen")
    frozen.freeze()
    doc.layers.add("Locked", color=1).lock()
    doc.layers.add("Äußere Wände", color=30)
    doc.appids.add("TARVO_TEST")
    doc.appids.add("TARVO_MORE")

    door = doc.blocks.new("Door", base_point=(0, 0))
    door.add_line((0, 0), (0.9, 0), dxfattribs={"layer": "Walls"})
    door.add_arc((0, 0), 0.9, 0, 90)
    door.add_attdef("NUMBER", (0.1, 0.1), dxfattribs={"height": 0.2})
    door.add_attdef("FIRE", (0.1, 0.4), dxfattribs={"height": 0.2})

    msp = doc.modelspace()
    line = msp.add_line((0, 0, 0), (10.5, 5.25, 0), dxfattribs={"layer": "Walls"})
    line.set_xdata("TARVO_TEST", [(1000, "a note"), (1002, "{"), (1040, 2.5),
                                   (1010, (1, 2, 3)), (1070, 7), (1071, 70000), (1002, "}")])
    line.set_xdata("TARVO_MORE", [(1000, "second application")])
    msp.add_circle((5, 5), 2.5, dxfattribs={"layer": "Hidden"})
    msp.add_arc((1, 1), 3, 30, 120)
    msp.add_point((3, 4, 5), dxfattribs={"layer": "Locked"})
    msp.add_text("Ground floor", dxfattribs={"height": 0.5, "layer": "Äußere Wände"})
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    msp.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 1), (0, 1, 1)])
    msp.add_polyline2d([(0, 0), (3, 0), (3, 3)], dxfattribs={"layer": "Walls"})
    ref = msp.add_blockref("Door", (2, 0), dxfattribs={"layer": "Walls"})
    ref.add_attrib("NUMBER", "D-101", (2.1, 0.1))
    ref.add_attrib("FIRE", "EI30", (2.1, 0.4))
    msp.add_blockref("Door", (4, 0), dxfattribs={"rotation": 90})
    # Entities in tilted and turned-over planes (their points are in the plane's OCS).
    tilted = (0.3, -0.5, 0.8)
    msp.add_circle((1.25, -2.5, 0.75), 1.5, dxfattribs={"extrusion": tilted})
    msp.add_arc((2, 3, -1), 2, 200, 340, dxfattribs={"extrusion": (0, 0, -1)})
    msp.add_text("Right", dxfattribs={"extrusion": tilted, "height": 0.25, "rotation": 33.3,
                                      "halign": 2, "align_point": (4, 5, 0.5),
                                      "insert": (4, 5, 0.5)})
    msp.add_blockref("Door", (7, 8, 0.5), dxfattribs={"extrusion": tilted, "xscale": -1.0,
                                                      "yscale": 2.5, "rotation": -45.0})
    msp.add_solid([(0, 0), (2, 0), (0, 2)], dxfattribs={"extrusion": (0, 0, -1)})
    if version != "R12":
        msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (2, 0), (2, 2)], dxfattribs={"closed": True})
        msp.add_mtext("Two\\Plines", dxfattribs={"char_height": 0.3})
        msp.add_ellipse((0, 0), major_axis=(3, 0), ratio=0.5)
        msp.add_ray((0, 0), (1, 1))
        msp.add_xline((0, 0), (1, -1))
        xdict = line.new_extension_dict()
        record = xdict.add_xrecord("TARVO_NOTE")
        record.reset([(1, "checked"), (40, 1.25)])
    # Dimensions of lengths (a rotated one at 30 degrees, an aligned one) and, from R2000 on,
    # of the other kinds: angles between two lines and at three points, radius, diameter, x
    # and y ordinates (the y one in turned axes), an arc length and, from R2004 on, a jogged
    # radius, which ezdxf cannot draw: its block is made by hand.
    dim = msp.add_linear_dim(base=(3, 2), p1=(0, 0), p2=(4, 3), angle=30,
                             dxfattribs={"layer": "Walls"})
    dim.render()
    msp.add_aligned_dim(p1=(1, 5), p2=(4, 9), distance=1.5).render()
    if version != "R12":
        msp.add_radius_dim(center=(10, 10), radius=2.5, angle=45).render()
        msp.add_diameter_dim(center=(20, 10), radius=1.5, angle=120).render()
        msp.add_angular_dim_2l(base=(25, 14), line1=((21, 10), (27, 10)),
                               line2=((22, 11), (24, 15))).render()
        msp.add_angular_dim_3p(base=(30, 13), center=(28, 10), p1=(31, 10), p2=(28, 14)).render()
        msp.add_ordinate_x_dim(feature_location=(3, 7), offset=(0.5, 2), origin=(1, 1)).render()
        msp.add_ordinate_y_dim(feature_location=(3, 7), offset=(2, 0.5), origin=(1, 1),
                               rotation=30).render()
        msp.add_arc_dim_3p(base=(36, 14), center=(34, 10), p1=(37, 10), p2=(34, 13)).render()
        if version not in ("R12", "R2000"):
            jogged = doc.blocks.new_anonymous_block("D")
            jogged.add_line((40, 30), (40, 8))
            msp.new_entity("LARGE_RADIAL_DIMENSION", {
                "geometry": jogged.name, "dimtype": 9 | 32, "defpoint": (40, -60, 0),
                "text_midpoint": (40.5, 20, 0), "chord_point": (40, 30, 0),
                "override_center": (44, 5, 0), "jog_point": (42, 10, 0), "unknown2": 0.5})
        note = msp.add_mtext("See detail A", dxfattribs={"insert": (12, 6), "char_height": 0.25})
        leader = msp.add_leader([(8, 2), (10, 5.5), (11.75, 5.875)])
        leader.dxf.annotation_handle = note.dxf.handle
        leader.dxf.annotation_type = 0
        msp.new_entity("TOLERANCE", {"content": "{\\Fgdt;j}%%v0.1%%vA^J{\\Fgdt;u}%%v0.05",
                                     "insert": (3, -4, 0), "x_axis_vector": (0, 1, 0)})
    paper = doc.layout("Layout1")
    paper.add_line((0, 0), (100, 50))
    doc.saveas(path)


def check(path, expected_path):
    doc = ezdxf.readfile(path)
    got = describe(doc)
    auditor = doc.audit()
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    # A fix is something ezdxf found wrong too (it may have dropped an entity for it).
    problems = ["audit error: " + str(e.message) for e in auditor.errors]
    problems += ["audit fix: " + str(e.message) for e in auditor.fixes]
    # What ezdxf adds to every drawing it loads, when the drawing lacks it.
    if "Defpoints" not in expected.get("layers", {}):
        got["layers"].pop("Defpoints", None)
    compare(expected, got, "", problems)
    for p in problems:
        print(p)
    return 1 if problems else 0


def close(a, b):
    return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)


def compare(expected, got, where, problems):
    if isinstance(expected, dict):
        if not isinstance(got, dict):
            problems.append(f"{where}: expected an object, got {got!r}")
            return
        for key in sorted(set(expected) | set(got)):
            if key not in got:
                problems.append(f"{where}/{key}: missing in the file")
            elif key not in expected:
                problems.append(f"{where}/{key}: not expected, found {got[key]!r}")
            else:
                compare(expected[key], got[key], f"{where}/{key}", problems)
    elif isinstance(expected, list):
        if not isinstance(got, list) or len(got) != len(expected):
            problems.append(f"{where}: expected {expected!r}, got {got!r}")
            return
        for i, (e, g) in enumerate(zip(expected, got)):
            compare(e, g, f"{where}[{i}]", problems)
    elif isinstance(expected, bool) or isinstance(got, bool):
        if bool(expected) != bool(got):
            problems.append(f"{where}: expected {expected!r}, got {got!r}")
    elif isinstance(expected, (int, float)) and isinstance(got, (int, float)):
        if not isinstance(got, (int, float)) or not close(float(expected), float(got)):
            problems.append(f"{where}: expected {expected!r}, got {got!r}")
    elif expected != got:
        problems.append(f"{where}: expected {expected!r}, got {got!r}")


def main(argv):
    if len(argv) >= 3 and argv[0] == "make":
        make(argv[1], argv[2])
        return 0
    if len(argv) >= 2 and argv[0] == "describe":
        print(json.dumps(describe(ezdxf.readfile(argv[1])), indent=1, ensure_ascii=False))
        return 0
    if len(argv) >= 3 and argv[0] == "check":
        return check(argv[1], argv[2])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
