#!/usr/bin/python3
"""The ezdxf side of the DXF benchmark.

  dxf_ezdxf_side.py make ENTITIES FILE   writes a drawing of about that many entities
  dxf_ezdxf_side.py time FILE OUT [ROUNDS]
                                         reads FILE and writes it to OUT with ezdxf ROUNDS times
                                         (default 1), and prints the best processor seconds of
                                         each as "read SECONDS" and "write SECONDS"

The drawing mixes what plans hold: lines, polylines, arcs, circles, texts, points and block
references with attributes, on a few dozen layers, some with extended data.
"""
import random
import sys
import time

import ezdxf


def make(count, path):
    random.seed(20240606)
    doc = ezdxf.new("R2018")
    doc.appids.add("TARVO_BENCH")
    layers = [f"Layer {i:02d}" for i in range(40)]
    for i, name in enumerate(layers):
        doc.layers.add(name, color=1 + i % 250)
    block = doc.blocks.new("Fixture")
    block.add_circle((0, 0), 0.5)
    block.add_line((-0.5, 0), (0.5, 0))
    block.add_attdef("ID", (0, 0.6), dxfattribs={"height": 0.2})
    msp = doc.modelspace()
    made = 0
    while made < count:
        x, y = random.uniform(0, 10000), random.uniform(0, 10000)
        layer = {"layer": random.choice(layers)}
        kind = made % 10
        if kind < 4:
            e = msp.add_line((x, y), (x + random.uniform(-50, 50), y + random.uniform(-50, 50)),
                             dxfattribs=layer)
            if made % 50 == 0:
                e.set_xdata("TARVO_BENCH", [(1000, f"line {made}"), (1070, made % 30000)])
        elif kind < 6:
            points = [(x + random.uniform(-20, 20), y + random.uniform(-20, 20))
                      for _ in range(random.randint(3, 8))]
            msp.add_lwpolyline(points, dxfattribs=layer)
        elif kind == 6:
            msp.add_arc((x, y), random.uniform(1, 30), random.uniform(0, 360),
                        random.uniform(0, 360), dxfattribs=layer)
        elif kind == 7:
            msp.add_circle((x, y), random.uniform(1, 30), dxfattribs=layer)
        elif kind == 8:
            msp.add_text(f"Room {made}", dxfattribs=dict(layer, height=2.5, insert=(x, y)))
        else:
            ref = msp.add_blockref("Fixture", (x, y), dxfattribs=layer)
            ref.add_attrib("ID", f"F{made}", (x, y + 0.6))
        made += 1
    doc.saveas(path)


def timing(path, out, rounds):
    read = write = float("inf")
    for _ in range(rounds):
        start = time.process_time()
        doc = ezdxf.readfile(path)
        read = min(read, time.process_time() - start)
        start = time.process_time()
        doc.saveas(out)
        write = min(write, time.process_time() - start)
        del doc
    print(f"read {read:.3f}")
    print(f"write {write:.3f}")


def main(argv):
    if len(argv) == 3 and argv[0] == "make":
        make(int(argv[1]), argv[2])
        return 0
    if len(argv) in (3, 4) and argv[0] == "time":
        timing(argv[1], argv[2], max(1, int(argv[3])) if len(argv) == 4 else 1)
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
