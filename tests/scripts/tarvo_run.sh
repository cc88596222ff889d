#!/usr/bin/env bash
# `tarvo run` as a process: a script from standard input and from a file give the same
# transcript, and each kind of ending reaches the shell as its exit status (the transcripts
# and messages themselves are checked by the host tests).
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'setvar INSUNITS\n6\nUCS\nZ\n30\n' >"$work/steps.script"
out=$("$tarvo" run "$work/steps.script" --strict) || fail "a good script exited $?"
grep -q '^Enter new value for INSUNITS <4>: 6$' <<<"$out" || fail "transcript: $out"
piped=$("$tarvo" run - <"$work/steps.script") || fail "standard input exited $?"
[ "$piped" = "$out" ] || fail "standard input gave another transcript"

printf 'UCS\nO\n' | "$tarvo" run - --strict >/dev/null 2>&1; code=$?
[ "$code" = 3 ] || fail "running out under --strict exited $code"
"$tarvo" run "$work/missing.script" >/dev/null 2>&1; code=$?
[ "$code" = 1 ] || fail "a missing script exited $code"
"$tarvo" run a.dxf b.script c >/dev/null 2>&1; code=$?
[ "$code" = 2 ] || fail "too many names exited $code"
echo "ok"
