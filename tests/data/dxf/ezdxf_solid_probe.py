#!/usr/bin/python3
"""The independent side of the region, 3D solid and surface file tests, on ezdxf.

  ezdxf_solid_probe.py make FILE        writes an R2010 drawing with a 3D solid, a surface, a
                                        swept surface and a region holding modeler text of another
                                        modeler (ezdxf encodes it in groups 1 and 3), on layers of
                                        their own
  ezdxf_solid_probe.py check FILE EXPECTED
                                        reads FILE with ezdxf and audits it; exit 0 when the audit
                                        found no error and every entity of EXPECTED (JSON written
                                        by the test: a list of {"handle", "type", "layer"}) is there
                                        with that type and layer, swept surfaces with their four
                                        transforms read
"""
import json
import sys

import ezdxf

import probe_cli

SAT = ["400 0 1 0", "@8 stand-in @4 test @11 ACIS 7.0 NT 24",
       "1 9.9999999999999995e-07 1e-10", "body $-1 -1 $-1 $1 $-1 $-1 #", "End-of-ACIS-data"]


def make(path):
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    for name in ("SOLIDS", "SURFACES"):
        doc.layers.add(name)
    solid = msp.add_3dsolid(dxfattribs={"layer": "SOLIDS"})
    solid.sat = list(SAT)
    surface = msp.add_surface(dxfattribs={"layer": "SURFACES", "u_count": 6, "v_count": 4})
    surface.sat = list(SAT)
    swept = msp.add_swept_surface(dxfattribs={"layer": "SURFACES"})
    swept.sat = list(SAT)
    region = msp.add_region(dxfattribs={"layer": "SURFACES"})
    region.sat = list(SAT)
    doc.saveas(path)


def check(path, expected_path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    problems = ["audit error: " + str(e.message) for e in auditor.errors]
    for e in expected:
        entity = doc.entitydb.get(e["handle"])
        if entity is None:
            problems.append(f"{e['handle']}: missing")
            continue
        if entity.dxftype() != e["type"]:
            problems.append(f"{e['handle']}: a {entity.dxftype()}, not a {e['type']}")
        # This ezdxf keeps plane surfaces as tags only: no layer to compare.
        if entity.dxftype() != "PLANESURFACE" and entity.dxf.layer != e["layer"]:
            problems.append(f"{e['handle']}: on layer {entity.dxf.layer}, not {e['layer']}")
        if entity.dxftype() == "SWEPTSURFACE":
            m = entity.transformation_matrix_sweep_entity
            if not m.is_orthogonal:
                problems.append(f"{e['handle']}: the sweep transform is {m!r}")
    return probe_cli.report(problems)


if __name__ == "__main__":
    sys.exit(probe_cli.run(__doc__, make, None, check))
