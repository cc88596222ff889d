"""The ezdxf side of bench_insert_command, timed.

  insert_command_ezdxf_side.py make N OUT.dxf    a drawing of N lines (made untimed)
  insert_command_ezdxf_side.py import FILE.dxf   readfile + Importer of its model space into a
                                                 new block of a new drawing
  insert_command_ezdxf_side.py count FILE.dxf NAME   entities of block NAME and the audit

Prints "seconds S" for the timed side (processor seconds, as the other side counts them).
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
    print("seconds", time.process_time() - start)
    print("entities", len(block))


def count(path, name):
    doc = ezdxf.readfile(path)
    print("entities", len(doc.blocks.get(name)), "audit_errors", len(doc.audit().errors))


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(int(sys.argv[2]), sys.argv[3])
    elif sys.argv[1] == "import":
        import_block(sys.argv[2])
    else:
        count(sys.argv[2], sys.argv[3])
