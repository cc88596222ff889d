#!/usr/bin/python3
"""Writes examples/site_survey.pdf: a one-page A4 landscape site survey (a frame, a grid and a
boundary line), the PDF underlay of examples/underlay.script. Run it with /usr/bin/python3."""
import os


def main():
    drawing = b"\n".join([
        b"0.5 w 20 20 802 555 re S",                      # the frame
        b"0.2 w " + b" ".join(b"%d 20 m %d 575 l" % (x, x) for x in range(120, 800, 100)) + b" S",
        b"0.2 w " + b" ".join(b"20 %d m 822 %d l" % (y, y) for y in range(120, 560, 100)) + b" S",
        b"1.5 w 100 100 m 700 140 l 660 480 l 140 450 l h S",  # the boundary of the plot
    ])
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 842 595] /Contents 4 0 R >>",
        b"<< /Length %d >>\nstream\n" % len(drawing) + drawing + b"\nendstream",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for n, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "site_survey.pdf"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
