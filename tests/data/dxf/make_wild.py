#!/usr/bin/python3
"""Writes the drawings of tests/data/dxf/wild: each is written the way some program other than
ours writes drawings that other readers take, made with ezdxf and then edited where ezdxf itself
writes the sound form. Run it again to remake them."""
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "wild")


def pairs_of(doc):
    path = os.path.join(OUT, "_tmp.dxf")
    doc.saveas(path)
    with open(path, encoding=doc.output_encoding, newline="") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    os.remove(path)
    ps = [(lines[i].strip(), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]
    # ezdxf names a current dimension style that its new drawings do not define.
    if ("9", "$DIMSTYLE") in ps:
        at = ps.index(("9", "$DIMSTYLE")) + 1
        ps[at] = (ps[at][0], "Standard")
    return ps


def write(name, ps, encoding="utf-8"):
    text = "".join("%3s\n%s\n" % (c, v) for c, v in ps)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(text.encode(encoding))


def records(ps, name):
    """Indexes of the records "0 name"."""
    return [i for i, (c, v) in enumerate(ps) if c == "0" and v == name]


def record_end(ps, i):
    j = i + 1
    while ps[j][0] != "0":
        j += 1
    return j


def group(ps, i, code):
    """Index of the first group `code` of the record at i."""
    for j in range(i + 1, record_end(ps, i)):
        if ps[j][0] == str(code):
            return j
    raise KeyError(code)


def named(ps, name, key):
    """The record "0 name" whose group 2 is key."""
    for i in records(ps, name):
        if ps[group(ps, i, 2)][1] == key:
            return i
    raise KeyError(key)


def set_value(ps, i, value):
    ps[i] = (ps[i][0], value)


def shape_styles():
    # Text styles of shape files have no name; a drawing often holds several.
    doc = ezdxf.new("R2018")
    doc.styles.add_shx("ltypeshp.shx")
    doc.modelspace().add_text("shapes beside", dxfattribs={"style": "Standard"})
    ps = pairs_of(doc)
    # ezdxf keeps one record per name: the second shape file is a copy with a handle of its own.
    shapes = [i for i in records(ps, "STYLE") if ps[group(ps, i, 2)][1] == ""][0]
    end = record_end(ps, shapes)
    copy = [(c, "7F0" if c == "5" else "gdt.shx" if c == "3" else v) for c, v in ps[shapes:end]]
    ps[end:end] = copy
    write("shape_styles.dxf", ps)


def dimstyle_style_by_name():
    # Group 340 of a dimension style holds the text style's name, not its handle: "Standard"
    # resolves, "Missing" does not.
    doc = ezdxf.new("R2018")
    doc.dimstyles.new("Other")
    ps = pairs_of(doc)
    for style, text_style in (("Standard", "Standard"), ("Other", "Missing")):
        end = record_end(ps, named(ps, "DIMSTYLE", style))
        ps.insert(end, ("340", text_style))
    write("dimstyle_style_by_name.dxf", ps)


def r12_dimblk():
    # In R12 group 5 of a dimension style is its arrow block's name; the second style has no
    # handle at all, as in files written without handles.
    doc = ezdxf.new("R12")
    doc.dimstyles.new("Arch", dxfattribs={"dimblk": "ARCHTICK"})
    doc.dimstyles.new("Dots", dxfattribs={"dimblk": "DOT"})
    ps = pairs_of(doc)
    dots = named(ps, "DIMSTYLE", "Dots")
    del ps[group(ps, dots, 105)]
    write("r12_dimblk.dxf", ps)


def dangling_handles():
    # Links to handles that no object of the file has: a dictionary entry, a reactor, a layer's
    # plot style, an entity's owner.
    doc = ezdxf.new("R2018")
    doc.layers.add("Walls")
    doc.modelspace().add_line((0, 0), (1, 1), dxfattribs={"layer": "Walls"})
    ps = pairs_of(doc)
    root = records(ps, "DICTIONARY")[0]
    set_value(ps, group(ps, root, 350), "FFFE1")
    walls = named(ps, "LAYER", "Walls")
    set_value(ps, group(ps, walls, 390), "FFFE2")
    line = records(ps, "LINE")[0]
    set_value(ps, group(ps, line, 330), "FFFE3")
    reactors = [i for i, p in enumerate(ps) if p == ("102", "{ACAD_REACTORS")][0]
    set_value(ps, reactors + 1, "FFFE4")
    write("dangling_handles.dxf", ps)


def entities_only():
    # A file of entities alone whose owner handle names a block record it does not hold.
    ps = [("0", "SECTION"), ("2", "ENTITIES"),
          ("0", "LINE"), ("5", "2A"), ("330", "1F"), ("100", "AcDbEntity"), ("8", "0"),
          ("100", "AcDbLine"), ("10", "0.0"), ("20", "0.0"), ("30", "0.0"),
          ("11", "3.0"), ("21", "4.0"), ("31", "0.0"),
          ("0", "ENDSEC"), ("0", "EOF")]
    write("entities_only_owner.dxf", ps)


def meshes():
    # Polyface and polygon meshes of R2000 and later, with their subclass markers.
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    face = msp.add_polyface()
    face.append_face([(0, 0, 0), (4, 0, 0), (4, 3, 0), (0, 3, 0)])
    face.append_face([(0, 0, 0), (4, 0, 0), (2, 1, 5)])
    mesh = msp.add_polymesh((2, 3))
    for m in range(2):
        for n in range(3):
            mesh.set_mesh_vertex((m, n), (m * 10.0, n * 10.0, m + n + 0.5))
    write("meshes_r2018.dxf", pairs_of(doc))


# Layer names and texts in the code pages of files before R2007: (DWGCODEPAGE, Python's codec,
# file name, layer, text). "表" in 932 ends in the byte of a backslash.
CODE_PAGES = [
    ("ANSI_1251", "cp1251", "codepage_1251.dxf", "Стены", "Привет, мир"),
    ("ANSI_1256", "cp1256", "codepage_1256.dxf", "جدران", "مرحبا بالعالم"),
    ("DOS850", "cp850", "codepage_850.dxf", "Wände", "Ça été ½ fini"),
    ("MACINTOSH", "mac_roman", "codepage_mac.dxf", "Café", "ƒ ≠ ∂ • fin"),
    ("ANSI_932", "cp932", "codepage_932.dxf", "壁", "表示テスト"),
]


def code_pages():
    for page, codec, name, layer, text in CODE_PAGES:
        doc = ezdxf.new("R2000")
        doc.layers.add("LAYERNAME")
        doc.modelspace().add_text("TEXTVALUE", dxfattribs={"layer": "LAYERNAME"})
        ps = pairs_of(doc)
        ps = [(c, layer if v == "LAYERNAME" else text if v == "TEXTVALUE" else v) for c, v in ps]
        at = ps.index(("9", "$DWGCODEPAGE"))
        set_value(ps, at + 1, page)
        write(name, ps, codec)


def unicode_escapes():
    # R2007 and later files may still escape characters.
    doc = ezdxf.new("R2018")
    doc.layers.add("LAYERNAME")
    doc.modelspace().add_text("TEXTVALUE", dxfattribs={"layer": "LAYERNAME"})
    ps = pairs_of(doc)
    ps = [(c, "Wall\\U+00E9" if v == "LAYERNAME" else "Stra\\U+00DFe \\U+4E16" if v == "TEXTVALUE"
           else v) for c, v in ps]
    write("unicode_escapes_r2018.dxf", ps)


def multiple_insert():
    # A block reference that is an array, under the multiple-insert subclass marker.
    doc = ezdxf.new("R2018")
    tile = doc.blocks.new("Tile")
    tile.add_circle((0, 0), 1)
    doc.modelspace().add_blockref("Tile", (1, 2)).grid(size=(2, 3), spacing=(5, 7))
    write("multiple_insert.dxf", pairs_of(doc))


def without_tables():
    # Entities and objects, no TABLES section.
    ps = [("0", "SECTION"), ("2", "ENTITIES"),
          ("0", "LINE"), ("5", "30"), ("100", "AcDbEntity"), ("8", "Walls"),
          ("100", "AcDbLine"), ("10", "0.0"), ("20", "0.0"), ("30", "0.0"),
          ("11", "3.0"), ("21", "4.0"), ("31", "0.0"),
          ("0", "ENDSEC"),
          ("0", "SECTION"), ("2", "OBJECTS"),
          ("0", "DICTIONARY"), ("5", "C"), ("330", "0"), ("100", "AcDbDictionary"),
          ("3", "ACAD_GROUP"), ("350", "D"),
          ("0", "DICTIONARY"), ("5", "D"), ("330", "C"), ("100", "AcDbDictionary"),
          ("0", "ENDSEC"), ("0", "EOF")]
    write("no_tables_section.dxf", ps)


def without_layer_table():
    # A TABLES section without its LAYER table, and an entity on a layer it does not define.
    doc = ezdxf.new("R2018")
    doc.modelspace().add_line((0, 0), (1, 1), dxfattribs={"layer": "Walls"})
    ps = pairs_of(doc)
    start = [i for i, p in enumerate(ps) if p == ("0", "TABLE") and ps[i + 1] == ("2", "LAYER")][0]
    end = ps.index(("0", "ENDTAB"), start)
    del ps[start:end + 1]
    write("no_layer_table.dxf", ps)


def odd_groups():
    # What other readers let pass: a header value beyond its range, the y and z of an extended
    # data point without its x, a third-party object whose group 5 is text, a handle used twice.
    doc = ezdxf.new("R2018")
    doc.appids.add("TARVO_TEST")
    msp = doc.modelspace()
    first = msp.add_line((0, 0), (1, 0))
    first.set_xdata("TARVO_TEST", [(1000, "kept"), (1070, 7)])
    msp.add_line((0, 1), (1, 1))
    ps = pairs_of(doc)
    set_value(ps, ps.index(("9", "$LUPREC")) + 1, "10")
    lines = records(ps, "LINE")
    set_value(ps, group(ps, lines[1], 5), ps[group(ps, lines[0], 5)][1])
    kept = ps.index(("1000", "kept"), lines[0])
    ps[kept + 1:kept + 1] = [("1021", "2.0"), ("1031", "0.5")]
    objects = ps.index(("2", "OBJECTS"))
    end = ps.index(("0", "ENDSEC"), objects)
    root = ps[group(ps, records(ps, "DICTIONARY")[0], 5)][1]
    ps[end:end] = [("0", "TARVO_THING"), ("5", "not-a-handle"), ("330", root),
                   ("100", "TarvoThing"), ("1", "kept as read")]
    write("odd_groups.dxf", ps)


def splines():
    # Two cubic Bezier pieces meeting at (3, 0), written with the inner knot four times, and a
    # spline whose knots do not fit its control points, between two lines.
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    msp.add_line((0, 0), (0, 5))
    bezier = msp.add_spline()
    bezier.dxf.degree = 3
    bezier.control_points = [(0, 0), (1, 2), (2, 2), (3, 0), (3, 0), (4, -2), (5, -2), (6, 0)]
    bezier.knots = [0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2]
    bad = msp.add_spline()
    bad.dxf.degree = 3
    bad.control_points = [(0, 0), (1, 1), (2, 0), (3, 1)]
    bad.knots = [0, 0, 0, 1, 1, 1]
    msp.add_line((6, 0), (6, 5))
    write("splines.dxf", pairs_of(doc))


def mtext_columns():
    # Columns as files before R2018 hold them: settings in the main text's extended data, one
    # further MTEXT per column after it. Static columns of three, dynamic ones of two heights.
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    msp.add_mtext_static_columns(["First column text\\N", "Second column\\N", "Third"],
                                 width=20, gutter_width=2, height=30,
                                 dxfattribs={"insert": (10, 5), "char_height": 2.5})
    msp.add_mtext_dynamic_manual_height_columns("Flowing text that runs over two columns",
                                                width=15, gutter_width=1, heights=[10, 12],
                                                dxfattribs={"insert": (100, 0)})
    write("mtext_columns_r2013.dxf", pairs_of(doc))


def main():
    os.makedirs(OUT, exist_ok=True)
    shape_styles()
    dimstyle_style_by_name()
    r12_dimblk()
    dangling_handles()
    entities_only()
    meshes()
    code_pages()
    unicode_escapes()
    multiple_insert()
    without_tables()
    without_layer_table()
    odd_groups()
    splines()
    mtext_columns()


if __name__ == "__main__":
    sys.exit(main())
