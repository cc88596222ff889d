#!/usr/bin/env bash
# The underlay example prints its transcript; in the result, audited clean by ezdxf, the two PDF
# underlays show one definition of the survey's first page, placed as asked, both its reactors,
# and the two DGN underlays are bound: references of the block "partner_site" with the DGN's
# contents on its bound layers, and no DGN definition or dictionary is left.
source "$(dirname "$0")/lib/example_run.sh"

run_example underlay examples/site_plan.dxf

/usr/bin/python3 - "$work/underlay.dxf" <<'PY' || fail "the drawing with underlays"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [str(e) for e in auditor.errors]
underlays = doc.modelspace().query("PDFUNDERLAY")
assert len(underlays) == 2, len(underlays)
first, second = underlays
definition = first.get_underlay_def()
assert definition is second.get_underlay_def()
assert definition.dxf.filename == "examples/site_survey.pdf", definition.dxf.filename
assert definition.dxf.name == "1", definition.dxf.name
keys = [k for k, v in doc.rootdict["ACAD_PDFDEFINITIONS"].items() if v is definition]
assert keys == ["site_survey - Page 1"], keys
assert set(definition.get_reactors()) == {first.dxf.handle, second.dxf.handle}
assert tuple(first.dxf.insert) == (0, 0, 0) and first.scaling == (8, 8, 8), first.scaling
assert tuple(second.dxf.insert) == (100, 0, 0) and second.scaling == (4, 4, 4)
assert math.isclose(first.dxf.rotation, 0) and math.isclose(second.dxf.rotation, 90)

assert not doc.modelspace().query("DGNUNDERLAY")
assert "ACAD_DGNDEFINITIONS" not in doc.rootdict, list(doc.rootdict.keys())
bound = doc.blocks.get("partner_site")
assert bound is not None and not bound.block.is_xref
kinds = sorted(e.dxftype() for e in bound)
assert kinds == ["ARC", "CIRCLE", "LINE", "LINE", "LWPOLYLINE", "LWPOLYLINE", "LWPOLYLINE",
                 "TEXT"], kinds
assert {e.dxf.layer for e in bound} == {"partner_site$0$Level %d" % n for n in range(1, 6)}
inserts = doc.modelspace().query("INSERT[name=='partner_site']")
assert [tuple(i.dxf.insert) for i in inserts] == [(150, 0, 0), (150, 60, 0)]
assert all(i.dxf.xscale == 0.5 for i in inserts)
PY
