#!/usr/bin/python3
"""The independent side of the underlay tests, on ezdxf.

  ezdxf_underlay_probe.py make FILE            writes an R2018 drawing with a PDF definition
                                               shown by two underlays (one clipped, scaled and
                                               turned), a DGN and a DWF definition with one
                                               underlay each
  ezdxf_underlay_probe.py check FILE EXPECTED  reads FILE with ezdxf, audits it and compares its
                                               underlays with EXPECTED (JSON written by the
                                               test); exit 0 when the audit found no error and
                                               everything matches

EXPECTED is a list, in model-space order, of {"type", "file", "item", "key" (the definition's
key in its dictionary), "insert", "scale", "rotation", "flags", "boundary", "reactor" (whether
the underlay is among its definition's reactors)}.
"""
import json
import math
import sys

import ezdxf
from ezdxf.math import Vec3

import probe_cli


def describe(doc):
    keys = {}
    for fmt in ("PDF", "DWF", "DGN"):
        d = doc.rootdict.get("ACAD_%sDEFINITIONS" % fmt)
        if d is None:
            continue
        for key, entity in d.items():
            keys[entity.dxf.handle] = key
    out = []
    for e in doc.modelspace():
        if not e.dxftype().endswith("UNDERLAY"):
            continue
        d = e.get_underlay_def()
        out.append({
            "type": e.dxftype(),
            "file": d.dxf.filename if d else None,
            "item": d.dxf.name if d else None,
            "key": keys.get(d.dxf.handle) if d else None,
            "insert": list(Vec3(e.dxf.insert)),
            "scale": [e.dxf.scale_x, e.dxf.scale_y, e.dxf.scale_z],
            "rotation": e.dxf.rotation,
            "flags": e.dxf.flags,
            "boundary": [[float(v[0]), float(v[1])] for v in e.boundary_path],
            "reactor": bool(d) and e.dxf.handle in d.get_reactors(),
        })
    return out


def make(path):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    pdf = doc.add_underlay_def("plans/site plan.pdf", fmt="pdf", name="2")
    msp.add_underlay(pdf, insert=(10, 20, 0))
    turned = msp.add_underlay(pdf, insert=(-5, 3, 1), scale=(2, 3, 1), rotation=30)
    turned.set_boundary_path([(1, 1), (6, 4)])
    dgn = doc.add_underlay_def("partner.dgn", fmt="dgn", name="default")
    msp.add_underlay(dgn, insert=(0, 0, 0), scale=0.5)
    dwf = doc.add_underlay_def("sheets.dwf", fmt="dwf", name="Sheet 1")
    msp.add_underlay(dwf, insert=(1, 1, 0))
    doc.saveas(path)


def close(a, b):
    return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)


def check(path, expected_path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    got = describe(doc)
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    problems = ["audit error: " + str(e.message) for e in auditor.errors]
    if len(got) != len(expected):
        problems.append(f"{len(expected)} underlays expected, {len(got)} found: {got!r}")
    for i, (e, g) in enumerate(zip(expected, got)):
        for key in ("type", "file", "item", "key", "flags", "reactor"):
            if e[key] != g[key]:
                problems.append(f"[{i}].{key}: expected {e[key]!r}, got {g[key]!r}")
        numbers = [("insert", e["insert"], g["insert"]), ("scale", e["scale"], g["scale"]),
                   ("rotation", [e["rotation"]], [g["rotation"]])]
        numbers += [("boundary", p, q) for p, q in zip(e["boundary"], g["boundary"])]
        if len(e["boundary"]) != len(g["boundary"]):
            problems.append(f"[{i}].boundary: expected {e['boundary']!r}, got {g['boundary']!r}")
        for name, a, b in numbers:
            if len(a) != len(b) or not all(close(x, y) for x, y in zip(a, b)):
                problems.append(f"[{i}].{name}: expected {a!r}, got {b!r}")
    return probe_cli.report(problems)


if __name__ == "__main__":
    sys.exit(probe_cli.run(__doc__, make, describe, check))
