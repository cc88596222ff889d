#!/usr/bin/python3
"""Writes the PDF files of the underlay tests into a folder: make_pdfs.py FOLDER

  plan.pdf       two pages: 8.5 x 11 in, and 595 x 842 pt turned by 90 degrees
  locked.pdf     one page, encrypted (RC4, 40 bits) with the user password "secret"
  cut.pdf        plan.pdf cut after its first 60 bytes
  notes.pdf      a text file
  empty.pdf      no bytes at all
"""
import hashlib
import os
import struct
import sys

PAD = bytes.fromhex("28bf4e5e4e758a4164004e56fffa01082e2e00b6d0683e802f0ca9fe6453697a")


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) % 256
        s[i], s[j] = s[j], s[i]
    i = j = 0
    out = bytearray()
    for byte in data:
        i = (i + 1) % 256
        j = (j + s[i]) % 256
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) % 256])
    return bytes(out)


def pdf(objects, trailer_extra=b""):
    """A PDF of numbered objects (bytes, from 1) with its cross-reference table."""
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for n, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R %s>>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, trailer_extra, xref)
    return bytes(out)


def pages(*boxes):
    kids = b" ".join(b"%d 0 R" % (3 + i) for i in range(len(boxes)))
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>",
               b"<< /Type /Pages /Kids [%s] /Count %d >>" % (kids, len(boxes))]
    for box, turn in boxes:
        objects.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %d %d] /Rotate %d >>"
                       % (box[0], box[1], turn))
    return objects


def locked(user=b"secret", owner=b"owner", file_id=b"0123456789abcdef"):
    """Standard security handler, revision 2: the O and U entries of the passwords."""
    o = rc4(hashlib.md5((owner + PAD)[:32]).digest()[:5], (user + PAD)[:32])
    p = struct.pack("<i", -4)
    key = hashlib.md5((user + PAD)[:32] + o + p + file_id).digest()[:5]
    u = rc4(key, PAD)
    objects = pages(((612, 792), 0))
    objects.append(b"<< /Filter /Standard /V 1 /R 2 /O <%s> /U <%s> /P -4 >>"
                   % (o.hex().encode(), u.hex().encode()))
    extra = b"/Encrypt %d 0 R /ID [<%s> <%s>] " % (len(objects), file_id.hex().encode(),
                                                    file_id.hex().encode())
    return pdf(objects, extra)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    plan = pdf(pages(((612, 792), 0), ((595, 842), 90)))
    files = {
        "plan.pdf": plan,
        "locked.pdf": locked(),
        "cut.pdf": plan[:60],
        "notes.pdf": b"These are notes, not a drawing.\n",
        "empty.pdf": b"",
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
