#!/usr/bin/python3
"""Writes the seed corpus of the fuzz targets (fuzz/corpus/TARGET/) and the DXF dictionary.

  fuzz/make_corpus.py [OUT]       OUT defaults to fuzz/ beside this script

dxf: a drawing of every version (R12 to R2018) with entities of every class, made by ezdxf as
the interoperability tests make it, the hatch and image drawings of those tests, and for each
version and entity class a small file of that one entity (a header naming the version and an
ENTITIES section). The damaged files of tests/data/dxf are seeds too; fuzz/run passes them.
dxf.dict: the group code lines, record and subclass names and header variables of those files.
The other targets get a handful of hand-made inputs each.
"""
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data", "dxf")
VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]


def pairs(path):
    with open(path, encoding="utf-8", errors="surrogateescape", newline="") as f:
        lines = f.read().splitlines()
    return [(lines[i].strip(), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]


def text_of(ps):
    return "".join(f"{code.rjust(3)}\n{value}\n" for code, value in ps)


def entity_records(ps):
    """The ENTITIES section's records, each with the ATTRIB, VERTEX and SEQEND records after it."""
    start = ps.index(("2", "ENTITIES")) + 1
    end = ps.index(("0", "ENDSEC"), start)
    records = []
    for i in range(start, end):
        if ps[i][0] != "0":
            continue
        if ps[i][1] in ("ATTRIB", "VERTEX", "SEQEND") and records:
            continue
        j = i + 1
        while j < end and not (ps[j][0] == "0" and ps[j][1] not in ("ATTRIB", "VERTEX", "SEQEND")):
            j += 1
        records.append(ps[i:j])
    return records


def without_links(record):
    """The record without its reactors and extension dictionary (102 groups), which name
    objects a file of one entity does not hold."""
    kept, inside = [], False
    for code, value in record:
        if code == "102":
            inside = value.startswith("{")
            continue
        if not inside:
            kept.append((code, value))
    return kept


def block_definition(ps, name):
    """The BLOCK ... ENDBLK records of the block `name`, or nothing."""
    for i, pair in enumerate(ps):
        if pair == ("0", "BLOCK") and ("2", name) in ps[i:i + 12]:
            end = ps.index(("0", "ENDBLK"), i)
            j = end + 1
            while j < len(ps) and ps[j][0] != "0":
                j += 1
            return ps[i:j]
    return []


def one_entity_file(ps, version_code, record):
    """A header naming the version, the blocks the entity names (group 2) and the entity."""
    header = [("0", "SECTION"), ("2", "HEADER"), ("9", "$ACADVER"), ("1", version_code),
              ("0", "ENDSEC")]
    blocks = []
    for code, value in record[:12]:
        if code == "2" and record[0][1] in ("INSERT", "DIMENSION"):
            blocks += without_links(block_definition(ps, value))
    if blocks:
        header += [("0", "SECTION"), ("2", "BLOCKS")] + blocks + [("0", "ENDSEC")]
    body = [("0", "SECTION"), ("2", "ENTITIES")] + without_links(record)
    return text_of(header + body + [("0", "ENDSEC"), ("0", "EOF")])


def write(path, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(path, mode, **({} if mode == "wb" else {"encoding": "utf-8", "errors": "surrogateescape", "newline": ""})) as f:
        f.write(data)


def make_dxf(out):
    folder = os.path.join(out, "corpus", "dxf")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    made = []
    for version in VERSIONS:
        path = os.path.join(folder, f"drawing_{version}.dxf")
        subprocess.run([sys.executable, os.path.join(DATA, "ezdxf_probe.py"), "make", version, path],
                       check=True)
        made.append(path)
        ps = pairs(path)
        version_code = ps[ps.index(("9", "$ACADVER")) + 1][1]
        seen = set()
        for record in entity_records(ps):
            kind = record[0][1]
            if kind in seen:
                continue
            seen.add(kind)
            write(os.path.join(folder, f"{kind.lower()}_{version}.dxf"),
                  one_entity_file(ps, version_code, record))
    for probe, name in (("ezdxf_hatch_probe.py", "hatches_R2018.dxf"),
                        ("ezdxf_image_probe.py", "images_R2018.dxf")):
        path = os.path.join(folder, name)
        subprocess.run([sys.executable, os.path.join(DATA, probe), "make", path], check=True)
        made.append(path)
    return made


def make_dictionary(out, drawings):
    words = set()
    for path in drawings:
        for code, value in pairs(path):
            words.add(f"{code.rjust(3)}\n")
            if code in ("0", "2", "100") or (code == "9" and value.startswith("$")):
                words.add(f"{value}\n")
    lines = ["# Group code lines, record and subclass names and header variables (make_corpus.py)."]
    for i, word in enumerate(sorted(words)):
        escaped = "".join(c if 32 <= ord(c) < 127 and c not in '\\"' else f"\\x{ord(c):02X}"
                          for c in word if ord(c) < 256)
        lines.append(f'w{i}="{escaped}"')
    write(os.path.join(out, "dxf.dict"), "\n".join(lines) + "\n")


SCRIPTS = {
    # plan (a byte a question), keywords, then the answers
    "points": b"\x00\x01\x02\x1a\x27\nYes No _Yes No\n1,2\n3,4,5\n@2<45\n~1,1\n7,8\n",
    "numbers": b"\x03\x04\x05\x06\x07\x08\x10\x15\nUp Down\n12.5\n-3\n0\n45\n1.2r\n32768\nfoo\n7\n\n",
    "texts": b"\x09\x0a\x0b\x0c\x0c\nPScale Rotate eXit _PScale Rotate Exit\n"
             b"two words here\n\\#literal\npsc\nr\nX\n^C\n",
    "keywords": b"\x0c\x4b\x0c\x58\nLeft Right Center _Left Right Center\nL\nright\n_Center\nfree text\n",
    "comments": b"\x07\x08\n\n# a comment\n  # indented\n5\n^C\n",
}

DISTANCES = ["12.5", ".5", "1.5e3", "1'6", "1'-6 1/2\"", "6 1/2", "3/4\"", "2.5'", "2x", "-0",
             "+7", "1e-400", "9e999", "0'0", "  4  "]

PATHS = ["C:\\dir\\file.txt", "\\\\server\\share\\x.dwg", "\"C:\\Program Files\\app.exe\" /a -b=c",
         "/usr/lib/x.so", "relative\\dir\\", "..\\up\\.\\name.tar.gz", "D:name", "C:/mixed/sep\\x",
         "\"quoted path\" -x \"a b\" /y:z", ""]


def make_small(out):
    def folder(name):
        path = os.path.join(out, "corpus", name)
        shutil.rmtree(path, ignore_errors=True)
        os.makedirs(path)
        return path

    scripts = folder("input_script")
    for name, data in SCRIPTS.items():
        write(os.path.join(scripts, name), data)
    distances = folder("distance")
    for i, text in enumerate(DISTANCES):
        for mode in (0, 3, 0x84):
            write(os.path.join(distances, f"{i:02d}_{mode:02x}"), bytes([mode]) + text.encode())
    paths = folder("file_path")
    for i, text in enumerate(PATHS):
        for flags in (0, 1, 2, 3):
            write(os.path.join(paths, f"{i:02d}_{flags}"), bytes([flags]) + text.encode())
    edits = folder("entity_data")
    for entity in range(40):
        write(os.path.join(edits, f"as_is_{entity:02d}"), bytes([entity]))
        # a real, a point and a string of the entity changed; a record added
        write(os.path.join(edits, f"edited_{entity:02d}"),
              bytes([entity, 0, 3, 7, 0, 5, 1, 0, 2, 9, 0, 8, 2, 16, 3, 0, 62, 0, 5]))


def main(argv):
    out = os.path.abspath(argv[0]) if argv else HERE
    drawings = make_dxf(out)
    make_dictionary(out, drawings)
    make_small(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
