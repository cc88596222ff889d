"""The ezdxf side of bench_insert_command, timed.

  insert_command_ezdxf_side.py make N OUT.dxf    a drawing of N lines (made untimed)
  insert_command_ezdxf_side.py import FILE.dxf [ROUNDS]   readfile + Importer of its model
                                                 space into a new block of a new drawing
  insert_command_ezdxf_side.py count FILE.dxf NAME   entities of block NAME and the audit

Prints "seconds S" for the timed side (processor seconds, as the other side counts them), the
best of ROUNDS (default 1), each into a new drawing.
"""
import sys
import time

import ezdxf
from ezdxf.addons import Importer


def make(n, out):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    for i in range(n):
        x = (i % 1000) * 0.5
        y = (i // 1000) * 0.5
        msp.add_line((x, y), (x + 0.4, y + 0.2))
    doc.saveas(out)


def import_block(path):
    target = ezdxf.new("R2018")
    start = time.process_time()
    source = ezdxf.readfile(path)
    block = target.blocks.new("BIG")
    importer = Importer(source, target)
    importer.import_entities(source.modelspace(), block)
    importer.finalize()
    return time.process_time() - start, len(block)


def best_import(path, rounds):
    results = [import_block(path) for _ in range(max(1, rounds))]
    print("seconds", min(seconds for seconds, _ in results))
    print("entities", results[-1][1])


def count(path, name):
    doc = ezdxf.readfile(path)
    print("entities", len(doc.blocks.get(name)), "audit_errors", len(doc.audit().errors))


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(int(sys.argv[2]), sys.argv[3])
    elif sys.argv[1] == "import":
        best_import(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    else:
        count(sys.argv[2], sys.argv[3])
