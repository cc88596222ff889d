#!/usr/bin/env bash
# The services example, run in a folder of its own, prints its transcript and leaves the two
# pictures of the tree block, only the second with its attribute tags.
source "$(dirname "$0")/lib/example_run.sh"

(cd "$work" && "$tarvo" run "$root/examples/site_plan.dxf" "$root/examples/services.script" \
  --strict) >"$work/transcript" 2>"$work/errors" ||
  fail "run exited $?: $(cat "$work/transcript" "$work/errors")"
diff -u "$root/examples/services.transcript" "$work/transcript" ||
  fail "the transcript differs from examples/services.transcript"
for picture in tree tree-tags; do
  grep -q '<title>TREE</title>' "$work/$picture.svg" || fail "$picture.svg shows no tree"
  [ "$(grep -c '<circle' "$work/$picture.svg")" = 2 ] || fail "$picture.svg lacks the circles"
done
grep -q 'SPECIES' "$work/tree.svg" && fail "tree.svg shows attribute tags"
grep -q '>SPECIES<' "$work/tree-tags.svg" || fail "tree-tags.svg lacks the tag SPECIES"
echo "ok"
