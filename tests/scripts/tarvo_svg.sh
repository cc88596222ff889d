#!/usr/bin/env bash
# `tarvo run --svg` and `tarvo render` on the sample site plan: the picture is well-formed SVG
# (read by Python's XML parser), names the layout, and leaves the frozen layer out; a layout the
# drawing lacks is refused with exit status 1 and no file.
source "$(dirname "$0")/lib/example_run.sh"
plan="$root/examples/site_plan.dxf"

"$tarvo" render "$plan" -o "$work/plan.svg" || fail "render exited $?"
printf 'LAYOUT\nLayout1\n' | "$tarvo" run "$plan" - --svg "$work/after.svg" --strict >/dev/null ||
  fail "run --svg exited $?"

/usr/bin/python3 - "$work/plan.svg" "$work/after.svg" <<'PY' || fail "the pictures"
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
for path, title in zip(sys.argv[1:], ["Model", "Layout1"]):
    root = ET.parse(path).getroot()
    assert root.tag == SVG + "svg", root.tag
    box = [float(v) for v in root.get("viewBox").split()]
    assert len(box) == 4 and box[2] > 0 and box[3] > 0, box
    assert root.find(SVG + "title").text == title, root.find(SVG + "title").text
    layers = {g.get("data-layer") for g in root.iter(SVG + "g") if g.get("data-layer")}
    assert "CONSTRUCTION" not in layers, layers
PY

"$tarvo" render "$plan" -o "$work/none.svg" --layout "No such layout" 2>"$work/err"
code=$?
[ "$code" = 1 ] || fail "an unknown layout exited $code"
grep -q 'no layout named "No such layout"' "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/none.svg" ] || fail "a refused picture left a file"
echo "ok"
