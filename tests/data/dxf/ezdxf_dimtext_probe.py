"""How ezdxf sees the dimensions of a drawing and their text.

Usage: ezdxf_dimtext_probe.py DRAWING.dxf

One line per dimension of model space, fields separated by "|": its handle, its text (group 1)
and text rotation (group 53, degrees) as ezdxf reads them, the texts of the MTEXT entities of the
block the drawing gives it ("contents@rotation", ";"-separated), and the same of the block ezdxf
renders for it from its own reading of the dimension.
"""
import sys

import ezdxf


def texts(block):
    found = []
    for e in block:
        if e.dxftype() == "MTEXT":
            found.append("%s@%.6f" % (e.text, e.get_rotation() % 360.0))
    return ";".join(found)


def main(path):
    doc = ezdxf.readfile(path)
    for dim in list(doc.modelspace().query("DIMENSION")):
        ours = texts(doc.blocks[dim.dxf.geometry])
        text = dim.dxf.get("text", "")
        rotation = dim.dxf.get("text_rotation", 0.0)
        # ezdxf draws the dimension again into a new block of its own.
        dim.dxf.discard("geometry")
        dim.override().render()
        theirs = texts(doc.blocks[dim.dxf.geometry])
        print("|".join([dim.dxf.handle, text, "%.6f" % rotation, ours, theirs]))


if __name__ == "__main__":
    main(sys.argv[1])
