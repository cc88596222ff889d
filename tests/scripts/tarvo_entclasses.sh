#!/usr/bin/env bash
# The stair tower example on examples/entclasses.dxf prints its transcript; the saved drawing,
# audited clean by ezdxf, keeps the helices, multilines, meshes and shape and the two UCS markers.
source "$(dirname "$0")/lib/example_run.sh"

run_example entclasses examples/entclasses.dxf

/usr/bin/python3 - "$work/entclasses.dxf" <<'PY' || fail "the saved stair tower"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
assert not doc.audit().has_errors
msp = doc.modelspace()
kinds = [e.dxftype() for e in msp]
assert kinds.count("HELIX") == 2 and kinds.count("MLINE") == 2, kinds
assert kinds.count("SHAPE") == 1, kinds
modes = sorted(e.get_mode() for e in msp.query("POLYLINE"))
assert modes == ["AcDbPolyFaceMesh", "AcDbPolygonMesh"], modes
handrail = msp.query("HELIX")[0]
assert math.isclose(handrail.dxf.turns, 2.5) and math.isclose(handrail.dxf.turn_height, 3.0)
markers = [(tuple(round(c, 9) for c in l.dxf.start), tuple(round(c, 9) for c in l.dxf.end))
           for l in msp.query("LINE")]
# The garden wall's lower element ends at (14.2, -0.2): X runs back along it (-X).
assert ((14.2, -0.2, 0), (12.2, -0.2, 0)) in markers, markers
# The tower wall's first element: its east side starts at (3, -3): X runs up (+Y).
assert ((3, -3, 0), (3, -1, 0)) in markers, markers
PY
