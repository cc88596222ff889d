#!/usr/bin/env bash
# The dimension points example end to end: `tarvo run --strict` of examples/dimpoints.script
# succeeds and its transcript is examples/dimpoints.transcript line for line.
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
examples="$(dirname "$0")/../../examples"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tarvo" run "$examples/dimpoints.script" --strict >"$work/transcript" 2>&1 ||
  fail "run exited $?: $(cat "$work/transcript")"
diff -u "$examples/dimpoints.transcript" "$work/transcript" || fail "the transcript differs"
