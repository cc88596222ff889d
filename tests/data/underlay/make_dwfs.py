#!/usr/bin/python3
"""Writes the DWF files of the underlay tests into a folder: make_dwfs.py FOLDER

  sheets.dwf      a zip container whose manifest (deflated) lists three sections, two of them
                  with titles ("Ground floor", "Roof & gutters")
  stored.dwf      the same manifest stored without compression, one titled section
  bare.dwf        a zip container without a manifest
  cut.dwf         sheets.dwf cut in half
  notes.dwf       a text file
"""
import io
import os
import sys
import zipfile

MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<dwf:Manifest xmlns:dwf="urn:dwf-manifest" version="6.0">
  <dwf:Sections>
    <dwf:Section type="plot" title="Ground floor" name="s1"/>
    <dwf:Section type='plot' name="s2" title='Roof &amp; gutters'>
      <dwf:Resources/>
    </dwf:Section>
    <dwf:Section type="data" name="s3"/>
  </dwf:Sections>
</dwf:Manifest>
"""


def container(files, method):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", compression=method) as z:
        for name, text in files.items():
            z.writestr(name, text)
    return out.getvalue()


def main(folder):
    os.makedirs(folder, exist_ok=True)
    sheets = container({"manifest.xml": MANIFEST, "s1/plot.w2d": "x" * 200}, zipfile.ZIP_DEFLATED)
    one = MANIFEST.replace('name="s2" title=', 'name="s2" label=')
    files = {
        "sheets.dwf": sheets,
        "stored.dwf": container({"Manifest.xml": one}, zipfile.ZIP_STORED),
        "bare.dwf": container({"s1/plot.w2d": "x"}, zipfile.ZIP_DEFLATED),
        "cut.dwf": sheets[: len(sheets) // 2],
        "notes.dwf": b"notes\n",
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
