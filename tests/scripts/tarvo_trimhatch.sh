#!/usr/bin/env bash
# The hatch trimming example on the site plan: the lawn keeps two paths, the rowan's canopy (a
# circle of radius 1.5) and the lawn under the shed, whose area is measured here on a fine grid
# of points against the shed and the lawn's outline; each seed lies in its path.
source "$(dirname "$0")/lib/example_run.sh"

examples="$root/examples"
"$tarvo" run "$examples/site_plan.dxf" "$examples/trimhatch.script" -o "$work/trim.dxf" --strict \
  >"$work/transcript" 2>&1 || fail "run exited $?: $(cat "$work/transcript")"
grep -q '^The hatch had 1 loop; it now has 2 loops\.$' "$work/transcript" ||
  fail "report: $(cat "$work/transcript")"

/usr/bin/python3 - "$work/trim.dxf" <<'PY' || fail "the trimmed drawing"
import math
import sys

import ezdxf
from ezdxf import path as ezpath

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [str(e) for e in auditor.errors]
lawn = [e for e in doc.modelspace().query("HATCH") if e.dxf.layer == "LAWN"]
assert len(lawn) == 1, len(lawn)
hatch = lawn[0]
shapes = [list(p.flattening(1e-4)) for p in ezpath.from_hatch(hatch)]
assert len(shapes) == 2, len(shapes)


def area(points):
    return abs(sum(a.x * b.y - b.x * a.y for a, b in zip(points, points[1:] + points[:1]))) / 2


def inside(points, x, y):
    odd = False
    for a, b in zip(points, points[1:] + points[:1]):
        if (a.y > y) != (b.y > y) and x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x:
            odd = not odd
    return odd


# The shed, as the site plan makes it, and the lawn: a 24 x 10 rectangle under a half disc.
turn = math.radians(15)
shed = [(38 + x * math.cos(turn) - y * math.sin(turn), 22 + x * math.sin(turn) + y * math.cos(turn))
        for x, y in [(0, 0), (8, 0), (8, 5), (0, 5)]]


def in_shed(x, y):
    u, v = x - 38, y - 22
    a = u * math.cos(turn) + v * math.sin(turn)
    b = -u * math.sin(turn) + v * math.cos(turn)
    return 0 <= a <= 8 and 0 <= b <= 5


def in_lawn(x, y):
    return (32 <= x <= 56 and 4 <= y <= 14) or (y >= 14 and math.hypot(x - 44, y - 14) <= 12)


step = 0.02
cells = 0
xs = [p[0] for p in shed]
ys = [p[1] for p in shed]
x = min(xs) + step / 2
while x < max(xs):
    y = min(ys) + step / 2
    while y < max(ys):
        cells += in_shed(x, y) and in_lawn(x, y)
        y += step
    x += step
expected = cells * step * step
areas = sorted(area(s) for s in shapes)
# ezdxf draws arcs as cubic curves, a few ten-thousandths off the circle.
assert abs(areas[0] - math.pi * 1.5 ** 2) < 1e-3 * areas[0], areas
assert abs(areas[1] - expected) < 0.01 * expected, (areas, expected)
seeds = list(hatch.seeds)
assert len(seeds) == 2, seeds
for seed in seeds:
    assert sum(inside(s, seed[0], seed[1]) for s in shapes) == 1, seed
PY
