#!/usr/bin/env bash
# The measuring and lengthening example prints its transcript; the saved line is grown to 12 from
# its right end, the arc to 135 degrees kept at its top end, the path cut back at its start.
source "$(dirname "$0")/lib/example_run.sh"

run_example lengthen

/usr/bin/python3 - "$work/lengthen.dxf" <<'PY' || fail "the lengthened drawing"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
assert not doc.audit().has_errors
msp = doc.modelspace()
(line,) = msp.query("LINE")
assert line.dxf.start.isclose((0, 0, 0)) and line.dxf.end.isclose((12, 0, 0)), line.dxf.end
(arc,) = msp.query("ARC")
assert math.isclose(arc.dxf.end_angle, math.degrees(2.0), abs_tol=1e-9), arc.dxf.end_angle
assert math.isclose((arc.dxf.end_angle - arc.dxf.start_angle) % 360, 135, abs_tol=1e-9)
(path,) = msp.query("LWPOLYLINE")
points = path.get_points("xyb")
assert len(points) == 3, points
assert math.isclose(points[0][0], 36 - (12 - 3 * math.pi), abs_tol=1e-9), points[0]
assert points[1][:2] == (36, 0) and points[2][:2] == (36, 6), points
PY
