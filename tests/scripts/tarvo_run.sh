#!/usr/bin/env bash
# `tarvo run` end to end: a script from standard input and from a file, the transcript in the
# order it happened, and the exit status for each kind of ending.
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$work/steps.script" <<'SCRIPT'
# Comments are skipped.
setvar INSUNITS
6
UCS
Z
30
SETVAR
INSUNITS

LAYOUT
layout1
SCRIPT

out=$("$tarvo" run "$work/steps.script" --strict) || fail "a good script exited $?"
expected='Command: setvar
Enter variable name or [?]: INSUNITS
Enter new value for INSUNITS <4>: 6
Command: UCS
Specify origin of UCS or [World/Origin/X/Y/Z/ZAxis/OBject/Previous] <World>: Z
Specify rotation angle about Z axis <90>: 30
Command: SETVAR
Enter variable name or [?]: INSUNITS
Enter new value for INSUNITS <6>: 
Command: LAYOUT
Enter layout option [New/Delete/Rename/Set/?] <Set>: layout1'
[ "$out" = "$expected" ] || fail "transcript:
$out"

piped=$("$tarvo" run - <"$work/steps.script") || fail "standard input exited $?"
[ "$piped" = "$out" ] || fail "standard input gave another transcript"

# A script that runs out cancels the waiting question: 0, or 3 under --strict.
printf 'UCS\nO\n' | "$tarvo" run - >"$work/out" 2>&1; code=$?
[ "$code" = 0 ] || fail "running out exited $code"
grep -q '^Specify new origin point <0,0,0>: \*Cancel\*$' "$work/out" || fail "no cancel shown"
printf 'UCS\nO\n' | "$tarvo" run - --strict >/dev/null 2>&1; code=$?
[ "$code" = 3 ] || fail "running out under --strict exited $code"
printf 'NOSUCHCOMMAND\n' | "$tarvo" run --strict - >/dev/null 2>&1; code=$?
[ "$code" = 3 ] || fail "an unknown command under --strict exited $code"

# Files that cannot be read or written: 1 with a message; usage errors: 2.
"$tarvo" run "$work/missing.script" >/dev/null 2>"$work/err"; code=$?
[ "$code" = 1 ] || fail "a missing script exited $code"
grep -q "cannot read the script" "$work/err" || fail "missing script message: $(cat "$work/err")"
echo 'UCS W' | "$tarvo" run - -o "$work/no/folder/out.dxf" >/dev/null 2>&1; code=$?
[ "$code" = 1 ] || fail "an unwritable output exited $code"
"$tarvo" run a.dxf b.script c >/dev/null 2>&1; code=$?
[ "$code" = 2 ] || fail "too many names exited $code"
"$tarvo" render "$work/x.dxf" >/dev/null 2>&1; code=$?
[ "$code" = 2 ] || fail "render without -o exited $code"
echo "ok"
