#!/usr/bin/env bash
# The bodies example prints its transcript; the saved drawing, audited clean by ezdxf, holds the
# solid, plane and swept surfaces, the exploded pond's surface and regions, and read again they
# measure the same.
source "$(dirname "$0")/lib/example_run.sh"

run_example solids

/usr/bin/python3 - "$work/solids.dxf" <<'PY' || fail "the bodies drawing"
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [e.message for e in auditor.errors]
msp = doc.modelspace()
bodies = ("3DSOLID", "PLANESURFACE", "SWEPTSURFACE", "SURFACE", "REGION")
kinds = [e.dxftype() for e in msp if e.dxftype() in bodies]
assert kinds == ["3DSOLID", "PLANESURFACE", "SWEPTSURFACE", "SURFACE", "REGION", "REGION"], kinds
PY

# Read back, the drawing's bodies answer the same areas.
cat >"$work/again.script" <<'SCRIPT'
ENTINFO
ALL

SCRIPT
"$tarvo" run "$work/solids.dxf" "$work/again.script" --strict >"$work/again" 2>&1 ||
  fail "reading the bodies back: $(cat "$work/again")"
for line in "3dSolid 34: area 59.0000" "PlaneSurface 38: area 12.0000" \
  "SweptSurface 3B: area 6.0000" "Surface 3C: area 12.5664" \
  "Region 3D: area 12.5664, length 12.5664" "Region 3E: area 12.5664, length 12.5664"; do
  grep -q "$line" "$work/again" || fail "read back, '$line' is missing: $(cat "$work/again")"
done
