#!/usr/bin/env bash
# The insert example prints its transcript; the result, audited clean by ezdxf, holds the three
# doors with their numbers (the first changed by EDITATT), the door block redefined wider, the
# desk array with its spacings and attributes, and the window with the type typed in the dialog.
source "$(dirname "$0")/lib/example_run.sh"

run_example insert

/usr/bin/python3 - "$work/insert.dxf" <<'PY' || fail "the drawing"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [str(e) for e in auditor.errors]
refs = [e for e in doc.modelspace() if e.dxftype() == "INSERT"]
got = [(r.dxf.name, tuple(round(c) for c in r.dxf.insert)[:2], round(r.dxf.rotation) % 360,
        [(a.dxf.tag, a.dxf.text) for a in r.attribs]) for r in refs]
assert got == [
    ("door", (0, 0), 0, [("NUMBER", "D-100")]),
    ("door", (3000, 0), 90, [("NUMBER", "D-102")]),
    ("door", (6000, 0), 180, [("NUMBER", "D-103")]),
    ("desk", (0, 3000), 0, [("ROOM", "Room 2.14"), ("SEAT", "12"), ("MAKER", "Oakline")]),
    ("window", (9000, 0), 0, [("TYPE", "W-2")]),
], got
desk = refs[3]
assert (desk.dxf.row_count, desk.dxf.column_count) == (2, 3)
assert math.isclose(desk.dxf.row_spacing, 1200) and math.isclose(desk.dxf.column_spacing, 1800)
arcs = [e for e in doc.blocks.get("door") if e.dxftype() == "ARC"]
assert len(arcs) == 1 and math.isclose(arcs[0].dxf.radius, 1200), arcs
assert doc.blocks.get("desk").block_record.dxf.units == 4
PY
