"""What the ezdxf probes share: their command line (make PATH, describe PATH, check PATH
EXPECTED) and the report of a check."""
import json
import sys

import ezdxf


def report(problems):
    """Prints each problem; the exit status of a check."""
    for p in problems:
        print(p)
    return 1 if problems else 0


def run(usage, make, describe, check, argv=None):
    """Runs a probe's command line; a probe without `describe` passes None."""
    argv = sys.argv[1:] if argv is None else argv
    if len(argv) >= 2 and argv[0] == "make":
        make(argv[1])
        return 0
    if describe and len(argv) >= 2 and argv[0] == "describe":
        print(json.dumps(describe(ezdxf.readfile(argv[1])), indent=1))
        return 0
    if len(argv) >= 3 and argv[0] == "check":
        return check(argv[1], argv[2])
    print(usage)
    return 2
