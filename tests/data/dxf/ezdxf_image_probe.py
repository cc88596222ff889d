#!/usr/bin/python3
"""The independent side of the raster image and wipeout tests, on ezdxf.

  ezdxf_image_probe.py make FILE             writes an R2018 drawing with an image definition,
                                             an unclipped image, an image clipped by a polygon
                                             on a turned frame and two wipeouts
  ezdxf_image_probe.py check FILE EXPECTED   reads FILE with ezdxf, audits it and compares the
                                             images and wipeouts of the model space with
                                             EXPECTED (JSON written by the test); exit 0 when
                                             the audit found no error and everything matches

EXPECTED is a list, in model-space order, of {"type", "insert", "u", "v" (the vectors of one
pixel), "size", "clipped", "boundary" (the world vertices of what shows, without repeating the
first), "file" (the definition's file name, null for none)}.
"""
import json
import math
import sys

import ezdxf
from ezdxf.math import Vec3

import probe_cli


def vec(v):
    return [float(c) for c in Vec3(v)]


def describe(doc):
    images = []
    for e in doc.modelspace():
        if e.dxftype() not in ("IMAGE", "WIPEOUT"):
            continue
        boundary = [vec(p) for p in e.boundary_path_wcs()]
        if len(boundary) > 1 and Vec3(boundary[0]).isclose(Vec3(boundary[-1])):
            boundary.pop()
        image_def = e.image_def if e.dxftype() == "IMAGE" else None
        images.append({
            "type": e.dxftype(),
            "insert": vec(e.dxf.insert),
            "u": vec(e.dxf.u_pixel),
            "v": vec(e.dxf.v_pixel),
            "size": [float(c) for c in e.dxf.image_size],
            "clipped": bool(e.dxf.get("clipping", 0)),
            "boundary": boundary,
            "file": image_def.dxf.filename if image_def is not None else None,
        })
    return images


def make(path):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    image_def = doc.add_image_def("site/aerial photo.png", size_in_pixel=(640, 480))
    msp.add_image(image_def, insert=(10, 20, 0), size_in_units=(6.4, 4.8))
    turned = msp.add_image(image_def, insert=(-5, 3, 1), size_in_units=(3.2, 2.4),
                           rotation=30)
    turned.set_boundary_path([(10, 10), (600, 40), (320, 470)])
    msp.add_wipeout([(0, 0), (4, 0), (5, 3), (1, 2)])
    msp.add_wipeout([(-2, -1), (2, -1), (0, 3)])
    doc.saveas(path)


def close(a, b):
    return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)


def same_points(a, b):
    return len(a) == len(b) and all(
        all(close(x, y) for x, y in zip(p, q)) for p, q in zip(a, b))


def same_polygon(expected, got):
    """The same closed polygon: equal up to where it starts and which way it runs."""
    n = len(expected)
    if n != len(got):
        return False
    for candidate in (got, list(reversed(got))):
        for shift in range(n):
            if same_points(expected, candidate[shift:] + candidate[:shift]):
                return True
    return False


def check(path, expected_path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    got = describe(doc)
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    problems = ["audit error: " + str(e.message) for e in auditor.errors]
    if len(got) != len(expected):
        problems.append(f"{len(expected)} images expected, {len(got)} found: {got!r}")
    for i, (e, g) in enumerate(zip(expected, got)):
        for key in ("type", "clipped", "file"):
            if e[key] != g[key]:
                problems.append(f"[{i}].{key}: expected {e[key]!r}, got {g[key]!r}")
        for key in ("insert", "u", "v", "size"):
            if not same_points([e[key]], [g[key]]):
                problems.append(f"[{i}].{key}: expected {e[key]!r}, got {g[key]!r}")
        if not same_polygon(e["boundary"], g["boundary"]):
            problems.append(f"[{i}].boundary: expected {e['boundary']!r}, got {g['boundary']!r}")
    return probe_cli.report(problems)


if __name__ == "__main__":
    sys.exit(probe_cli.run(__doc__, make, describe, check))
