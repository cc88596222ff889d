# Sourced by the tests of the examples: runs an example script from the checkout's root with
# `tarvo run --strict` and checks its transcript. Gives $tarvo, $root, $work (removed at the
# end) and fail.
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run_example NAME [DRAWING]: examples/NAME.script on DRAWING (a new drawing when none is given),
# saved to $work/NAME.dxf. What it prints, dates masked, must be examples/NAME.transcript.
run_example() {
  local name=$1
  shift
  local dates='s/[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\} [0-9]\{2\}:[0-9]\{2\}/DATE/'
  (cd "$root" && "$tarvo" run "$@" "examples/$name.script" -o "$work/$name.dxf" --strict) \
    >"$work/transcript" 2>"$work/errors" ||
    fail "run exited $?: $(cat "$work/transcript" "$work/errors")"
  diff -u <(sed "$dates" "$root/examples/$name.transcript") <(sed "$dates" "$work/transcript") ||
    fail "the transcript differs from examples/$name.transcript"
}
