#!/usr/bin/env bash
# The program end to end: help, version, the class listing, and the refusal of a module built
# for another interface version.
set -euo pipefail
tarvo="$TARVO_BIN/tarvo"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tarvo" --help | grep -q "usage: tarvo" || fail "--help"
"$tarvo" --version | grep -Eq "^tarvo [0-9]+\.[0-9]+\.[0-9]+$" || fail "--version"
if "$tarvo" --bogus 2>/dev/null; then fail "an unknown option succeeded"; fi

listing=$("$tarvo" classes)
grep -q "^QvDbLine : QvDbCurve$" <<<"$listing" || fail "QvDbLine missing"
[ "$(grep -c "+ VexaEntityPE: VexaEntity_Extension" <<<"$listing")" = 21 ] || fail "21 entity PEs"
[ "$(grep -c "+ QvDbEntityInternalBasePE: " <<<"$listing")" = 18 ] || fail "18 internal PEs"

set +e
err=$(TARVO_MODULE_PATH="$TARVO_BIN/../testmodules/wrong-version" "$tarvo" classes 2>&1 >/dev/null)
code=$?
set -e
[ "$code" = 1 ] || fail "wrong version exit code $code"
grep -q "was built for interface version" <<<"$err" || fail "wrong version message: $err"
echo "ok"
