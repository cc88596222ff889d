#!/usr/bin/env bash
# The object UCS example prints its transcript; each marker line runs 2 units along the X axis
# aligned with the object picked: down the ridge line from its top end, from the pond's centre
# toward the pick, and from the bed's first vertex back along its closing side.
source "$(dirname "$0")/lib/example_run.sh"

run_example entityucs

/usr/bin/python3 - "$work/entityucs.dxf" <<'PY' || fail "the marked drawing"
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
assert not doc.audit().has_errors
lines = list(doc.modelspace().query("LINE"))
assert len(lines) == 4, len(lines)
ridge, *markers = lines
assert ridge.dxf.end.isclose((3, 0, 4)), ridge.dxf.end
side = 2 / math.hypot(6, 5)
expected = [((3, 0, 4), (1.8, 0, 2.4)), ((10, 0, 0), (10, 2, 0)),
            ((20, 0, 0), (20 + 6 * side, 5 * side, 0))]
for marker, (start, end) in zip(markers, expected):
    assert marker.dxf.start.isclose(start, abs_tol=1e-9), (marker.dxf.start, start)
    assert marker.dxf.end.isclose(end, abs_tol=1e-9), (marker.dxf.end, end)
PY
