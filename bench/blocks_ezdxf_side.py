"""The ezdxf side of bench_blocks: the same work with ezdxf, timed.

  blocks_ezdxf_side.py insert N OUT.dxf [ROUNDS]  references of a block with three attributes
  blocks_ezdxf_side.py block N [ROUNDS]            N entities copied into a new block, originals
                                                   deleted
  blocks_ezdxf_side.py check FILE.dxf N            reads the module's file: prints what it holds

Prints "seconds S" for the timed sides: processor seconds, as the other side counts them, the
best of ROUNDS (default 1), each on a drawing of its own. The lists of points, rotations, scales and texts are
made by the same formula as the benchmark's.
"""
import math
import sys
import time

import ezdxf


def placements(n):
    for i in range(n):
        x = (i % 200) * 3.0
        y = (i // 200) * 3.0
        yield (x, y), (i % 36) * 10.0, 0.5 + (i % 5) * 0.25, f"T{i}", f"{i % 17} m", f"K{i % 3}"


def make_block(doc):
    block = doc.blocks.new("TREE", base_point=(0, 0))
    block.add_circle((0, 0), 1.0)
    block.add_attdef("SPECIES", (0, -1.2), dxfattribs={"height": 0.3})
    block.add_attdef("HEIGHT", (0, -1.6), dxfattribs={"height": 0.3})
    block.add_attdef("KIND", (0, -2.0), dxfattribs={"height": 0.3})


def insert(n, out):
    # The drawing and its block are made before the clock starts, as on the other side.
    doc = ezdxf.new("R2018")
    make_block(doc)
    msp = doc.modelspace()
    start = time.process_time()
    for (x, y), rotation, scale, a, b, c in placements(n):
        ref = msp.add_blockref("TREE", (x, y), dxfattribs={
            "rotation": rotation, "xscale": scale, "yscale": scale, "zscale": scale})
        ref.add_auto_attribs({"SPECIES": a, "HEIGHT": b, "KIND": c})
    doc.saveas(out)
    return time.process_time() - start


def block(n):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    for i in range(n):
        msp.add_line((i, 0), (i, 1))
    start = time.process_time()
    target = doc.blocks.new("ALL")
    for e in list(msp):
        target.add_entity(e.copy())
        msp.delete_entity(e)
    return time.process_time() - start


def best(rounds, work):
    print("seconds", min(work() for _ in range(max(1, rounds))))


def check(path, n):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    refs = doc.modelspace().query("INSERT")
    bad = 0
    for i, ((x, y), rotation, scale, a, b, c) in enumerate(placements(n)):
        ref = refs[i]
        texts = {att.dxf.tag: att.dxf.text for att in ref.attribs}
        if (abs(ref.dxf.insert.x - x) > 1e-9 or abs(ref.dxf.insert.y - y) > 1e-9
                or abs(ref.dxf.rotation - rotation) > 1e-6 or abs(ref.dxf.xscale - scale) > 1e-9
                or texts != {"SPECIES": a, "HEIGHT": b, "KIND": c}):
            bad += 1
    print("references", len(refs), "mismatches", bad, "audit_errors", len(auditor.errors))


if __name__ == "__main__":
    what = sys.argv[1]
    if what == "insert":
        rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 1
        best(rounds, lambda: insert(int(sys.argv[2]), sys.argv[3]))
    elif what == "block":
        rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 1
        best(rounds, lambda: block(int(sys.argv[2])))
    else:
        check(sys.argv[2], int(sys.argv[3]))
