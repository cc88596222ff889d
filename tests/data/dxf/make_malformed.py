#!/usr/bin/python3
"""Writes the malformed drawing files of tests/data/dxf/malformed from one sound drawing made
with ezdxf, each spoiled in one way. Run it again to remake them."""
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "malformed")


def base_lines():
    doc = ezdxf.new("R2018")
    doc.layers.add("Walls", color=3)
    doc.appids.add("TARVO_TEST")
    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "Walls"})
    line.set_xdata("TARVO_TEST", [(1000, "note"), (1010, (1, 2, 3)), (1070, 7)])
    path = os.path.join(OUT, "_base.dxf")
    doc.saveas(path)
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    os.remove(path)
    return lines


def pairs(lines):
    return [(lines[i], lines[i + 1]) for i in range(0, len(lines) - 1, 2)]


def join(ps, tail=""):
    return "\n".join(c + "\n" + v for c, v in ps) + "\n" + tail


def find_record(ps, name, after=0, where=None):
    for i in range(after, len(ps)):
        if ps[i][0].strip() == "0" and ps[i][1] == name:
            if where is None or where(ps, i):
                return i
    raise KeyError(name)


def group_in(ps, start, code):
    i = start + 1
    while ps[i][0].strip() != "0":
        if ps[i][0].strip() == str(code):
            return i
        i += 1
    raise KeyError(code)


def layer_named(name):
    def test(ps, i):
        return ps[group_in(ps, i, 2)][1] == name
    return test


def write(name, text, binary=False):
    mode = "wb" if binary else "w"
    with open(os.path.join(OUT, name), mode, **({} if binary else {"encoding": "utf-8", "newline": "\n"})) as f:
        f.write(text)


def main():
    os.makedirs(OUT, exist_ok=True)
    lines = base_lines()
    ps = pairs(lines)
    text = join(ps)
    line = find_record(ps, "LINE")
    # The sound drawing itself, which must be read, beside the spoiled ones.
    with open(os.path.join(HERE, "sound_r2018.dxf"), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)

    def spoiled(index, code=None, value=None):
        q = list(ps)
        c, v = q[index]
        q[index] = (c if code is None else code, v if value is None else value)
        return join(q)

    write("truncated.dxf", "\n".join(lines[: len(lines) * 3 // 5]) + "\n")
    write("no_end_marker.dxf", join(ps[:-1]))
    write("code_without_value.dxf", "\n".join(lines[: len(lines) - 3]) + "\n")
    write("empty.dxf", "")
    write("garbage.txt", "This is not a drawing.\nIt is a note about one.\n")
    write("drawing.dwg", b"AC1032\x00\x00\x00\x00\x00\x0f\x01\x00\x00\x00\x1f\x00" + bytes(range(256)) * 8, True)
    write("binary.dxf", b"AutoCAD Binary DXF\r\n\x1a\x00" + bytes(range(256)) * 4, True)
    write("nul_byte.dxf", spoiled(group_in(ps, line, 8), value="Wa\x00lls"))
    write("not_a_group_code.dxf", spoiled(group_in(ps, line, 8), code="abc"))
    write("unknown_group_code.dxf", spoiled(group_in(ps, line, 8), code="5000"))
    write("bad_real.dxf", spoiled(group_in(ps, line, 10), value="1.2.3"))
    write("nan_real.dxf", spoiled(group_in(ps, line, 11), value="nan"))
    walls = find_record(ps, "LAYER", where=layer_named("Walls"))
    write("absurd_integer.dxf", spoiled(group_in(ps, walls, 62), value="99999999999"))
    write("handle_too_long.dxf", spoiled(group_in(ps, line, 5), value="12345678901234567"))
    root = find_record(ps, "DICTIONARY")
    acadver = next(i for i, p in enumerate(ps) if p == ("  9", "$ACADVER"))
    write("unknown_version.dxf", spoiled(acadver + 1, value="AC2099"))

    def without(index):
        return join(ps[:index] + ps[index + 1:])

    entities = next(i for i, p in enumerate(ps) if p == ("  2", "ENTITIES"))
    endsec = next(i for i in range(entities, len(ps)) if ps[i] == ("  0", "ENDSEC"))
    write("unclosed_section.dxf", without(endsec))
    endtab = next(i for i, p in enumerate(ps) if p == ("  0", "ENDTAB"))
    write("unclosed_table.dxf", without(endtab))
    endblk = next(i for i, p in enumerate(ps) if p == ("  0", "ENDBLK"))
    write("unclosed_block.dxf", without(endblk))
    closing = next(i for i in range(root, len(ps)) if ps[i] == ("102", "}"))
    write("unclosed_reactors.dxf", without(closing))
    xdata_y = next(i for i in range(line, len(ps)) if ps[i][0] == "1020")
    write("xdata_point_without_y.dxf", without(xdata_y))
    write("entity_outside_section.dxf", join(ps[: entities - 1] + [("  0", "LINE"), ("  8", "0")] + ps[entities - 1:]))
    # A second layer "Walls" under a new handle.
    end = walls + 1
    while ps[end][0].strip() != "0":
        end += 1
    copy = [(c, "7FFF" if c.strip() == "5" else v) for c, v in ps[walls:end]]
    write("duplicate_layer_name.dxf", join(ps[:end] + copy + ps[end:]))


if __name__ == "__main__":
    sys.exit(main())
