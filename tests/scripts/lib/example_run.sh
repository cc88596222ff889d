# Sourced by the end-to-end scripts: gives $tarvo, $root, $work (removed at the end), fail, and
# run_example, which runs an example script from the checkout's root with `tarvo run --strict`
# and checks its transcript.
set -uo pipefail
tarvo="$TARVO_BIN/tarvo"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# What differs from one run to the next in a transcript; a script may mask more.
dates='s/[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\} [0-9]\{2\}:[0-9]\{2\}/DATE/'
mask() { sed "$dates"; }

# run_example NAME [DRAWING]: examples/NAME.script on DRAWING (a new drawing when none is given),
# saved to $work/NAME.dxf. What it prints, masked, must be examples/NAME.transcript.
run_example() {
  local name=$1
  shift
  (cd "$root" && "$tarvo" run "$@" "examples/$name.script" -o "$work/$name.dxf" --strict) \
    >"$work/transcript" 2>"$work/errors" ||
    fail "run exited $?: $(cat "$work/transcript" "$work/errors")"
  diff -u <(mask <"$root/examples/$name.transcript") <(mask <"$work/transcript") ||
    fail "the transcript differs from examples/$name.transcript"
}
