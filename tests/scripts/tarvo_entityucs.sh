#!/usr/bin/env bash
# The object UCS example end to end: `tarvo run --strict` of examples/entityucs.script on a new
# drawing prints exactly examples/entityucs.transcript, and each marker line it draws, as ezdxf
# reads the saved drawing, runs 2 units along the X axis the module aligned with its object:
# up the rising ridge line (the host's own rule would lay it flat), from the pond's centre
# along world X, and from the bed's first vertex toward its second.
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
examples="$(dirname "$0")/../../examples"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tarvo" run "$examples/entityucs.script" -o "$work/entityucs.dxf" --strict \
  >"$work/transcript" 2>"$work/errors" || fail "run exited $?: $(cat "$work/errors")"
diff -u "$examples/entityucs.transcript" "$work/transcript" || fail "the transcript differs"

/usr/bin/python3 - "$work/entityucs.dxf" <<'PY' || fail "the marked drawing"
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
assert not doc.audit().has_errors
lines = list(doc.modelspace().query("LINE"))
assert len(lines) == 4, len(lines)
ridge, *markers = lines
assert ridge.dxf.end.isclose((3, 0, 4)), ridge.dxf.end
expected = [((0, 0, 0), (1.2, 0, 1.6)), ((10, 0, 0), (12, 0, 0)), ((20, 0, 0), (20, 2, 0))]
for marker, (start, end) in zip(markers, expected):
    assert marker.dxf.start.isclose(start, abs_tol=1e-9), (marker.dxf.start, start)
    assert marker.dxf.end.isclose(end, abs_tol=1e-9), (marker.dxf.end, end)
PY
