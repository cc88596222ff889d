#!/usr/bin/env bash
# The FTP underlay example, with examples/ served by a loopback FTP server, prints its transcript
# (the session's cache folder masked); ezdxf audits the result clean and the path stays ftp://.
source "$(dirname "$0")/lib/example_run.sh"

coproc FTP { exec /usr/bin/python3 "$root/tests/support/loopback_ftp.py" "$root/examples"; }
ftp_pid=$FTP_PID
trap 'kill "$ftp_pid" 2>/dev/null; rm -rf "$work"' EXIT
read -r port <&"${FTP[0]}" || fail "the FTP server did not start"
export TARVO_FTP_PORT=$port
# The session's cache folder differs from one run to the next.
mask() { sed -e "$dates" -e 's|"[^"]*/tarvo-session-[^/]*/remote/127\.0\.0\.1_[0-9]*/|"CACHE/|'; }
run_example ftp_underlay examples/site_plan.dxf

/usr/bin/python3 - "$work/ftp_underlay.dxf" <<'PY' || fail "the drawing with the remote underlay"
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
assert not auditor.has_errors, [str(e) for e in auditor.errors]
underlays = doc.modelspace().query("PDFUNDERLAY")
assert len(underlays) == 1, len(underlays)
definition = underlays[0].get_underlay_def()
assert definition.dxf.filename == "ftp://127.0.0.1/site_survey.pdf", definition.dxf.filename
PY
exit 0
