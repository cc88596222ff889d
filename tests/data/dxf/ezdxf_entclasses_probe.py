#!/usr/bin/python3
"""The independent side of the tests of helices, multilines, sections, meshes, shapes,
viewports, tables and OLE frames in DXF files, on ezdxf.

  ezdxf_entclasses_probe.py make FILE            writes an R2018 drawing with one or more
                                                 entities of each of these kinds
  ezdxf_entclasses_probe.py describe FILE        prints the description below, as JSON
  ezdxf_entclasses_probe.py check FILE EXPECTED  reads FILE with ezdxf, audits it and compares
                                                 its entities with EXPECTED (JSON written by the
                                                 test); exit 0 when the audit found no error and
                                                 everything matches

The description is a list, in model-space order and then in paper-space order, of the entities
of these kinds (polylines only when they are meshes): {"type", and per type the values compared
(points as [x, y, z])}. ezdxf keeps section objects and tables as tags: their values are taken
from the tags.
"""
import json
import math
import sys

import ezdxf
from ezdxf.math import Vec3

import probe_cli

KINDS = ("HELIX", "MLINE", "SECTIONOBJECT", "SHAPE", "OLE2FRAME", "VIEWPORT", "ACAD_TABLE",
         "POLYLINE")


def pt(v):
    return [float(c) for c in Vec3(v)]


def describe_entity(e):
    t = e.dxftype()
    d = {"type": t}
    if t == "HELIX":
        d.update({
            "axis": pt(e.dxf.axis_base_point), "start": pt(e.dxf.start_point),
            "direction": pt(e.dxf.axis_vector), "radius": e.dxf.radius,
            "turns": e.dxf.turns, "rise": e.dxf.turn_height,
            "ccw": e.dxf.handedness, "constrain": e.dxf.constrain,
            "degree": e.dxf.degree, "controls": len(e.control_points),
            "first": pt(e.control_points[0]), "last": pt(e.control_points[-1]),
        })
    elif t == "MLINE":
        d.update({
            "style": e.dxf.style_name, "scale": e.dxf.scale_factor,
            "justification": e.dxf.justification, "flags": e.dxf.flags,
            "elements": e.dxf.style_element_count,
            "vertices": [{
                "at": pt(v.location), "direction": pt(v.line_direction),
                "miter": pt(v.miter_direction),
                "params": [[float(x) for x in p] for p in v.line_params],
                "fills": [[float(x) for x in p] for p in v.fill_params],
            } for v in e.vertices],
        })
    elif t == "SECTIONOBJECT":
        tags = e.xtags.get_subclass("AcDbSection")
        d.update({
            "name": tags.get_first_value(1, ""),
            "vertical": pt(tags.get_first_value(10)),
            "heights": [float(tags.get_first_value(41, 0)), float(tags.get_first_value(40, 0))],
            "vertices": [pt(tag.value) for tag in tags if tag.code == 11],
            "back": [pt(tag.value) for tag in tags if tag.code == 12],
        })
    elif t == "SHAPE":
        d.update({
            "name": e.dxf.name, "at": pt(e.dxf.insert), "size": e.dxf.size,
            "rotation": e.dxf.get("rotation", 0.0), "xscale": e.dxf.get("xscale", 1.0),
            "normal": pt(e.dxf.get("extrusion", (0, 0, 1))),
        })
    elif t == "OLE2FRAME":
        tags = e.acdb_ole2frame
        d.update({
            "corners": [pt(tags.get_first_value(10)), pt(tags.get_first_value(11))],
            "data": len(e.binary_data()),
        })
    elif t == "VIEWPORT":
        d.update({"center": pt(e.dxf.center), "size": [e.dxf.width, e.dxf.height]})
    elif t == "ACAD_TABLE":
        d.update({
            "at": pt(e.xtags.get_subclass("AcDbBlockReference").get_first_value(10)),
            "direction": pt(e.xtags.get_subclass("AcDbTable").get_first_value(11)),
        })
    elif t == "POLYLINE":
        d["mode"] = e.get_mode()
        d["flags"] = e.dxf.flags
        if d["mode"] == "AcDbPolygonMesh":
            d["size"] = [e.dxf.m_count, e.dxf.n_count]
        d["vertices"] = [pt(v.dxf.location) + [v.dxf.flags] for v in e.vertices
                         if not (v.dxf.flags & 128) or (v.dxf.flags & 64)]
        d["faces"] = [[v.dxf.get("vtx%d" % i, 0) for i in range(4)] for v in e.vertices
                      if (v.dxf.flags & 128) and not (v.dxf.flags & 64)]
    return d


def is_described(e):
    if e.dxftype() not in KINDS:
        return False
    return e.dxftype() != "POLYLINE" or e.get_mode() in ("AcDbPolygonMesh", "AcDbPolyFaceMesh")


def describe(doc):
    return [describe_entity(e) for layout in (doc.modelspace(), doc.layouts.active_layout())
            for e in layout if is_described(e)]


def helix_controls(center, r, turns, rise):
    """Cubic pieces through points and tangents of a cylindrical helix, eight to a turn."""
    n = max(1, math.ceil(turns * 8 - 1e-9))
    end = 2 * math.pi * turns
    step = end / n

    def p(a):
        return Vec3(center) + Vec3(r * math.cos(a), r * math.sin(a), rise * a / (2 * math.pi))

    def dp(a):
        return Vec3(-r * math.sin(a), r * math.cos(a), rise / (2 * math.pi))

    ctrl = [p(0)]
    knots = [0.0] * 4
    for i in range(n):
        a, b = i * step, (end if i + 1 == n else (i + 1) * step)
        ctrl += [p(a) + dp(a) * ((b - a) / 3), p(b) - dp(b) * ((b - a) / 3), p(b)]
        knots += [b] * (4 if i + 1 == n else 3)
    return ctrl, knots


def make(path):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    ctrl, knots = helix_controls((4, 5, 1), 2.0, 2.5, 1.5)
    helix = msp.new_entity("HELIX", {
        "axis_base_point": (4, 5, 1), "start_point": (6, 5, 1), "axis_vector": (0, 0, 1),
        "radius": 2.0, "turns": 2.5, "turn_height": 1.5, "handedness": 1, "constrain": 1,
        "degree": 3})
    helix.control_points = ctrl
    helix.knots = knots
    msp.add_mline([(0, 0), (10, 0), (10, 5)], dxfattribs={"justification": 1,
                                                           "scale_factor": 2.0})
    msp.add_mline([(20, 0), (24, 0), (24, 4), (20, 4)], close=True)
    mesh = msp.add_polymesh(size=(3, 2))
    for i in range(3):
        for j in range(2):
            mesh.set_mesh_vertex((i, j), (i, 2 * j, i * j))
    faces = msp.add_polyface()
    faces.append_faces([[(0, 0, 0), (1, 0, 0), (0, 1, 0)], [(0, 0, 0), (1, 0, 0), (0, 0, 1)]])
    msp.add_shape("ARROW", (1, 2, 3), 2.0, dxfattribs={"rotation": 30})
    doc.layout("Layout1").add_viewport(center=(100, 80), size=(120, 90),
                                       view_center_point=(0, 0), view_height=50)
    doc.saveas(path)


def close(a, b):
    return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)


def compare(where, e, g, problems):
    if isinstance(e, dict):
        if not isinstance(g, dict) or set(e) != set(g):
            problems.append(f"{where}: expected {e!r}, got {g!r}")
            return
        for k in e:
            compare(f"{where}.{k}", e[k], g[k], problems)
    elif isinstance(e, list):
        if not isinstance(g, list) or len(e) != len(g):
            problems.append(f"{where}: expected {e!r}, got {g!r}")
            return
        for i, (a, b) in enumerate(zip(e, g)):
            compare(f"{where}[{i}]", a, b, problems)
    elif isinstance(e, (int, float)) and not isinstance(e, bool):
        if not isinstance(g, (int, float)) or not close(float(e), float(g)):
            problems.append(f"{where}: expected {e!r}, got {g!r}")
    elif e != g:
        problems.append(f"{where}: expected {e!r}, got {g!r}")


def check(path, expected_path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    got = describe(doc)
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    problems = ["audit error: " + str(e.message) for e in auditor.errors]
    compare("entities", expected, got, problems)
    return probe_cli.report(problems)


if __name__ == "__main__":
    sys.exit(probe_cli.run(__doc__, make, describe, check))
