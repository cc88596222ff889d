#!/usr/bin/python3
"""The independent side of the hatch interoperability tests, on ezdxf.

  ezdxf_hatch_probe.py make FILE       writes an R2018 drawing with hatches of every kind:
                                       polyline paths with bulges and an island, edge paths of
                                       lines, arcs and elliptical arcs both ways round and
                                       splines with fit data, a tilted plane at an elevation,
                                       a pattern, a gradient, seeds and an associative hatch
  ezdxf_hatch_probe.py describe FILE   prints, as JSON, the audit's findings and for each
                                       hatch (by handle) what ezdxf reads in it
  ezdxf_hatch_probe.py check FILE EXPECTED
                                       reads FILE with ezdxf, audits it and compares its
                                       hatches with EXPECTED (JSON written by the test); exit 0
                                       when the audit found no error and everything matches

A hatch is described by its plane (normal, elevation), fill (solid, pattern name, angle,
scale, the pattern lines, the gradient's name), associativity, seed points and paths; each path
by its flags, its source objects' handles, its points (ezdxf.path.from_hatch flattened finely,
world coordinates) and the area they enclose in the hatch's plane.

EXPECTED maps handles to {"normal" (unit), "elevation", "solid", "pattern_name",
"pattern_lines" (their number), "gradient" (name or null), "associative", "seeds", "paths"};
each path is {"flags", "sources", "area", "points" (world points along the boundary, densely)}.
A path matches when the areas agree within 1e-3 relatively and every point of either side lies
within 1e-3 (relative to the hatch's size) of the other side's boundary.
"""
import json
import math
import sys

import ezdxf
from ezdxf import path as ezpath
from ezdxf.math import Vec3

FLATTEN_DISTANCE = 1e-3
# Points of one side checked against the other side's whole boundary, at most.
CHECKED_POINTS = 400


def make(file):
    doc = ezdxf.new("R2018", setup=False)
    msp = doc.modelspace()

    # A square with a bulged side and a square island: even-odd leaves the island empty.
    h = msp.add_hatch(color=1)
    h.paths.add_polyline_path(
        [(0, 0, 0), (10, 0, 0.5), (10, 10, 0), (0, 10, -0.25)], is_closed=True, flags=1)
    h.paths.add_polyline_path([(3, 3), (6, 3), (6, 6), (3, 6)], is_closed=True, flags=16)
    h.set_seed_points([(1, 1), (4.5, 4.5)])

    # Edges of every kind, both ways round, on a tilted plane at an elevation.
    h = msp.add_hatch(color=2, dxfattribs={"extrusion": (1, 1, 1), "elevation": (0, 0, 5)})
    e = h.paths.add_edge_path()
    e.add_line((0, 0), (20, 0))
    e.add_arc((20, 5), radius=5, start_angle=270, end_angle=90, ccw=True)
    e.add_line((20, 10), (15, 10))
    e.add_ellipse((12, 10), major_axis=(3, 0), ratio=0.5, start_angle=0, end_angle=180,
                  ccw=False)
    e.add_line((9, 10), (6, 10))
    e.add_arc((4, 10), radius=2, start_angle=0, end_angle=180, ccw=True)
    e.add_spline(
        control_points=[(2, 10), (1, 8), (-1, 5), (0, 0)],
        knot_values=[0, 0, 0, 0, 1, 1, 1, 1],
        fit_points=[(2, 10), (0.5, 6), (0, 0)],
        degree=3)
    inner = h.paths.add_edge_path(flags=0)
    inner.add_ellipse((8, 4), major_axis=(0, 2), ratio=0.5, start_angle=0, end_angle=360)
    h.set_seed_points([(1, 1)])

    # A clockwise edge loop with a clockwise arc.
    h = msp.add_hatch(color=3)
    e = h.paths.add_edge_path()
    e.add_line((30, 0), (30, 8))
    e.add_line((30, 8), (38, 8))
    e.add_arc((38, 4), radius=4, start_angle=270, end_angle=90, ccw=False)
    e.add_line((38, 0), (30, 0))

    # A pattern fill.
    h = msp.add_hatch(color=4)
    h.set_pattern_fill("ANSI31", scale=0.5, angle=30)
    h.paths.add_polyline_path([(50, 0), (60, 0), (60, 10), (50, 10)], is_closed=True)

    # A gradient.
    h = msp.add_hatch()
    h.set_gradient((255, 0, 0), (0, 0, 255), rotation=45, name="CYLINDER")
    h.paths.add_polyline_path([(70, 0), (80, 0), (75, 8)], is_closed=True)

    # An associative hatch and its boundary.
    square = msp.add_lwpolyline([(90, 0), (100, 0), (100, 10), (90, 10)], close=True)
    h = msp.add_hatch(color=5)
    p = h.paths.add_polyline_path([(90, 0), (100, 0), (100, 10), (90, 10)], is_closed=True)
    h.associate(p, [square])
    h.set_seed_points([(95, 5)])

    doc.saveas(file)


def area_in_plane(points, normal):
    n = Vec3(normal).normalize()
    total = Vec3()
    for i in range(len(points)):
        total += Vec3(points[i]).cross(Vec3(points[(i + 1) % len(points)]))
    return abs(total.dot(n)) / 2.0


def describe_hatch(h):
    x = h.dxf
    normal = Vec3(x.get("extrusion", (0, 0, 1)))
    paths = []
    for boundary, shape in zip(h.paths, ezpath.from_hatch(h)):
        points = [list(v) for v in shape.flattening(FLATTEN_DISTANCE)]
        paths.append({
            "flags": int(boundary.path_type_flags),
            "sources": [str(s).upper() for s in boundary.source_boundary_objects],
            "points": points,
            "area": area_in_plane(points, normal) if len(points) > 2 else 0.0,
        })
    pattern = []
    if h.pattern:
        for line in h.pattern.lines:
            pattern.append([line.angle, list(line.base_point), list(line.offset),
                            list(line.dash_length_items)])
    gradient = None
    if h.gradient:
        gradient = {"name": h.gradient.name, "rotation": h.gradient.rotation,
                    "colors": [list(c) for c in (h.gradient.color1, h.gradient.color2)]}
    return {
        "normal": list(normal),
        "elevation": Vec3(x.get("elevation", (0, 0, 0))).z,
        "solid": int(x.solid_fill),
        "pattern_name": x.pattern_name,
        "pattern_angle": x.get("pattern_angle", 0.0),
        "pattern_scale": x.get("pattern_scale", 1.0),
        "pattern_lines": pattern,
        "gradient": gradient,
        "associative": int(x.associative),
        "seeds": [[float(s[0]), float(s[1])] for s in h.seeds],
        "paths": paths,
    }


def describe(file):
    doc = ezdxf.readfile(file)
    auditor = doc.audit()
    out = {
        "audit_errors": [str(e.message) for e in auditor.errors],
        "audit_fixes": [str(f.message) for f in auditor.fixes],
        "hatches": {},
    }
    for h in doc.modelspace().query("HATCH"):
        out["hatches"][h.dxf.handle.upper()] = describe_hatch(h)
    print(json.dumps(out))


def distance_to_chain(p, chain):
    """The distance from p to the closed chain of points (plain floats: this runs often)."""
    px, py, pz = p
    best = math.inf
    n = len(chain)
    for i in range(n):
        ax, ay, az = chain[i]
        bx, by, bz = chain[(i + 1) % n]
        dx, dy, dz = bx - ax, by - ay, bz - az
        qx, qy, qz = px - ax, py - ay, pz - az
        dd = dx * dx + dy * dy + dz * dz
        t = 0.0 if dd == 0 else max(0.0, min(1.0, (qx * dx + qy * dy + qz * dz) / dd))
        ex, ey, ez = qx - dx * t, qy - dy * t, qz - dz * t
        best = min(best, ex * ex + ey * ey + ez * ez)
    return math.sqrt(best)


def close(a, b, tol=1e-9):
    return abs(a - b) <= tol * max(1.0, abs(a), abs(b))


def compare_path(where, got, want, size, problems):
    if got["flags"] != want["flags"]:
        problems.append(f"{where}: flags {got['flags']} != {want['flags']}")
    if sorted(got["sources"]) != sorted(want["sources"]):
        problems.append(f"{where}: sources {got['sources']} != {want['sources']}")
    if not close(got["area"], want["area"], 1e-3):
        problems.append(f"{where}: area {got['area']} != {want['area']}")
    tol = 1e-3 * size
    for side, points, chain in (("ezdxf", got["points"], want["points"]),
                                ("expected", want["points"], got["points"])):
        step = max(1, len(points) // CHECKED_POINTS)
        worst = max((distance_to_chain(p, chain) for p in points[::step]), default=0.0)
        if worst > tol:
            problems.append(f"{where}: a point of {side} lies {worst} off the other boundary")


def check(file, expected_file):
    doc = ezdxf.readfile(file)
    auditor = doc.audit()
    problems = [f"audit error: {e.message}" for e in auditor.errors]
    problems += [f"audit fix: {f.message}" for f in auditor.fixes]
    with open(expected_file) as f:
        expected = json.load(f)
    hatches = {h.dxf.handle.upper(): h for h in doc.modelspace().query("HATCH")}
    if sorted(hatches) != sorted(expected):
        problems.append(f"hatches {sorted(hatches)} != {sorted(expected)}")
    for handle, want in expected.items():
        if handle not in hatches:
            continue
        got = describe_hatch(hatches[handle])
        normal = Vec3(got["normal"]).normalize()
        if not normal.isclose(Vec3(want["normal"]), abs_tol=1e-9):
            problems.append(f"{handle}: normal {list(normal)} != {want['normal']}")
        for key in ("elevation", "solid", "pattern_name", "associative"):
            g, w = got[key], want[key]
            if (close(g, w) if isinstance(w, float) else g == w) is False:
                problems.append(f"{handle}: {key} {g} != {w}")
        if len(got["pattern_lines"]) != want["pattern_lines"]:
            problems.append(f"{handle}: {len(got['pattern_lines'])} pattern lines != "
                            f"{want['pattern_lines']}")
        if (got["gradient"] or {}).get("name") != want["gradient"]:
            problems.append(f"{handle}: gradient {got['gradient']} != {want['gradient']}")
        if len(got["seeds"]) != len(want["seeds"]) or any(
                not close(a, b) for s, t in zip(got["seeds"], want["seeds"]) for a, b in zip(s, t)):
            problems.append(f"{handle}: seeds {got['seeds']} != {want['seeds']}")
        if len(got["paths"]) != len(want["paths"]):
            problems.append(f"{handle}: {len(got['paths'])} paths != {len(want['paths'])}")
            continue
        points = [p for path in want["paths"] for p in path["points"]]
        lo = [min(p[i] for p in points) for i in range(3)] if points else [0, 0, 0]
        hi = [max(p[i] for p in points) for i in range(3)] if points else [0, 0, 0]
        size = max(1.0, math.dist(lo, hi))
        for i, (g, w) in enumerate(zip(got["paths"], want["paths"])):
            compare_path(f"{handle} path {i}", g, w, size, problems)
    for p in problems:
        print(p)
    return 1 if problems else 0


def main():
    commands = {"make": 3, "describe": 3, "check": 4}
    if len(sys.argv) < 2 or commands.get(sys.argv[1]) != len(sys.argv):
        sys.stderr.write(__doc__)
        return 2
    if sys.argv[1] == "make":
        make(sys.argv[2])
    elif sys.argv[1] == "describe":
        describe(sys.argv[2])
    else:
        return check(sys.argv[2], sys.argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main())
