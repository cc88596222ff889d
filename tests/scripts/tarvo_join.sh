#!/usr/bin/env bash
# The join example on the site plan: the fence on layer FENCE is one polyline of its five pieces
# (three 8 m lines, two 6 m lines, a quarter circle of 4 m) with none left, and the new garden
# path is one polyline beside the flower bed and the pond; ezdxf audits the result clean.
source "$(dirname "$0")/lib/example_run.sh"

examples="$root/examples"
"$tarvo" run "$examples/site_plan.dxf" "$examples/join.script" -o "$work/join.dxf" --strict \
  >"$work/transcript" 2>&1 || fail "run exited $?: $(cat "$work/transcript")"
grep -q '^5 objects became 1 polyline\.$' "$work/transcript" ||
  fail "fence report: $(cat "$work/transcript")"
grep -q '^3 objects became 1 polyline\.$' "$work/transcript" ||
  fail "path report: $(cat "$work/transcript")"

/usr/bin/python3 - "$work/join.dxf" <<'PY' || fail "the joined drawing"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [str(e) for e in auditor.errors]
msp = doc.modelspace()
fence = [e for e in msp if e.dxf.layer == "FENCE"]
assert [e.dxftype() for e in fence] == ["LWPOLYLINE"], [e.dxftype() for e in fence]
poly = fence[0]
assert len(poly) == 6 and not poly.closed, (len(poly), poly.closed)


def length(points):
    total = 0.0
    for (x0, y0, _, _, b), (x1, y1, *_) in zip(points, points[1:]):
        chord = math.hypot(x1 - x0, y1 - y0)
        if b == 0:
            total += chord
        else:
            angle = 4 * math.atan(abs(b))
            total += chord / (2 * math.sin(angle / 2)) * angle
    return total


points = poly.get_points("xyseb")
expected = 8 + 8 + 6 + 6 + 2 * math.pi
assert abs(length(points) - expected) < 1e-9, (length(points), expected)
ends = {(round(points[0][0], 9), round(points[0][1], 9)), (round(points[-1][0], 9), round(points[-1][1], 9))}
assert ends == {(30, 36), (50, 20)}, ends

polylines = [e for e in msp.query("LWPOLYLINE") if e.dxf.layer == "0" and not e.closed]
path = [p for p in polylines if len(p) == 4]
assert len(path) == 1, [len(p) for p in polylines]
assert abs(length(path[0].get_points("xyseb")) - (6 + 3 + 1.5 * math.pi)) < 1e-9
assert len(msp.query("CIRCLE[layer=='0']")) == 1
assert not msp.query("LINE[layer=='0']") and not msp.query("ARC[layer=='0']")
PY
echo "ok"
