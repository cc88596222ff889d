#!/usr/bin/python3
"""Writes the DGN test files through GDAL's DGN library (run once; the files are kept).

  site.dgn     2D, master units = 1: on level 1 a line and an open polyline, on level 2 a
               closed shape, on level 3 an arc (center 50,50, radius 10, 0 to 90 degrees) and
               a circle (center 80,20, radius 5), on level 4 a text "GATE" at 10,60 (height 2),
               on level 5 a cell "TREE" of a line and a shape.
  texts.dgn    on level 7 a text 'Gate "A", s:9 a:45' at 0,5 (height 2.5, turned by 30 degrees) and
               a text "Shed" at 20,5 (height 1.5).
  v8.dgn       the first bytes of a DGN v8 file (a compound document), nothing after them.
  big.dgn      only when asked ("big"): 50,000 lines on 10 levels, for the bind benchmark.

Usage: make_dgns.py FOLDER [big]
"""
import ctypes
import os
import sys

gdal = ctypes.CDLL("libgdal.so")
Elem = ctypes.c_void_p


class Point(ctypes.Structure):
    _fields_ = [("x", ctypes.c_double), ("y", ctypes.c_double), ("z", ctypes.c_double)]


gdal.DGNCreate.restype = ctypes.c_void_p
gdal.DGNCreate.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_double,
                           ctypes.c_double, ctypes.c_double, ctypes.c_int, ctypes.c_int,
                           ctypes.c_char_p, ctypes.c_char_p]
gdal.DGNCreateMultiPointElem.restype = Elem
gdal.DGNCreateMultiPointElem.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                         ctypes.POINTER(Point)]
gdal.DGNCreateArcElem.restype = Elem
gdal.DGNCreateArcElem.argtypes = [ctypes.c_void_p, ctypes.c_int] + [ctypes.c_double] * 8 + [
    ctypes.c_void_p]
gdal.DGNCreateTextElem.restype = Elem
gdal.DGNCreateTextElem.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int,
                                   ctypes.c_double, ctypes.c_double, ctypes.c_double,
                                   ctypes.c_void_p, ctypes.c_double, ctypes.c_double,
                                   ctypes.c_double]
gdal.DGNCreateCellHeaderFromGroup.restype = Elem
gdal.DGNCreateCellHeaderFromGroup.argtypes = [
    ctypes.c_void_p, ctypes.c_char_p, ctypes.c_short, ctypes.c_void_p, ctypes.c_int,
    ctypes.POINTER(Elem), ctypes.POINTER(Point), ctypes.c_double, ctypes.c_double,
    ctypes.c_double]
gdal.DGNUpdateElemCore.argtypes = [ctypes.c_void_p, Elem] + [ctypes.c_int] * 5
gdal.DGNWriteElement.argtypes = [ctypes.c_void_p, Elem]
gdal.DGNFreeElement.argtypes = [ctypes.c_void_p, Elem]
gdal.DGNClose.argtypes = [ctypes.c_void_p]

DGNT_LINE, DGNT_LINE_STRING, DGNT_SHAPE, DGNT_ELLIPSE, DGNT_ARC = 3, 4, 6, 15, 16
SEED = b"/usr/share/gdal/seed_2d.dgn"


def create(path):
    # Origin 0, 10 subunits per master unit, 100 units of resolution per subunit.
    handle = gdal.DGNCreate(path.encode(), SEED, 0x04, 0.0, 0.0, 0.0, 10, 100, b"m", b"dm")
    if not handle:
        sys.exit("cannot create " + path)
    return handle


def points(coords):
    return (Point * len(coords))(*[Point(x, y, 0.0) for x, y in coords])


def multipoint(h, kind, coords, level):
    elem = gdal.DGNCreateMultiPointElem(h, kind, len(coords), points(coords))
    gdal.DGNUpdateElemCore(h, elem, level, 0, 3, 0, 0)
    return elem


def write(h, elem):
    gdal.DGNWriteElement(h, elem)
    gdal.DGNFreeElement(h, elem)


def site(path):
    h = create(path)
    write(h, multipoint(h, DGNT_LINE, [(0, 0), (100, 0)], 1))
    write(h, multipoint(h, DGNT_LINE_STRING, [(0, 10), (30, 10), (30, 40), (0, 40)], 1))
    write(h, multipoint(h, DGNT_SHAPE, [(60, 60), (90, 60), (90, 80), (60, 80), (60, 60)], 2))
    arc = gdal.DGNCreateArcElem(h, DGNT_ARC, 50, 50, 0, 10, 10, 0, 90, 0, None)
    gdal.DGNUpdateElemCore(h, arc, 3, 0, 3, 0, 0)
    write(h, arc)
    circle = gdal.DGNCreateArcElem(h, DGNT_ELLIPSE, 80, 20, 0, 5, 5, 0, 360, 0, None)
    gdal.DGNUpdateElemCore(h, circle, 3, 0, 3, 0, 0)
    write(h, circle)
    text = gdal.DGNCreateTextElem(h, b"GATE", 0, 0, 2.0, 2.0, 0.0, None, 10, 60, 0)
    gdal.DGNUpdateElemCore(h, text, 4, 0, 3, 0, 0)
    write(h, text)
    members = (Elem * 2)(multipoint(h, DGNT_LINE, [(20, 70), (20, 75)], 5),
                         multipoint(h, DGNT_SHAPE, [(18, 75), (22, 75), (22, 79), (18, 79),
                                                    (18, 75)], 5))
    origin = Point(20, 70, 0)
    cell = gdal.DGNCreateCellHeaderFromGroup(h, b"TREE", 0, None, 2, members,
                                             ctypes.byref(origin), 1.0, 1.0, 0.0)
    gdal.DGNUpdateElemCore(h, cell, 5, 0, 3, 0, 0)
    write(h, cell)
    for m in members:
        write(h, m)
    gdal.DGNClose(h)


def texts(path):
    h = create(path)
    for words, x, height, angle in [(b'Gate "A", s:9 a:45', 0, 2.5, 30.0), (b"Shed", 20, 1.5, 0.0)]:
        text = gdal.DGNCreateTextElem(h, words, 0, 0, height, height, angle, None, x, 5, 0)
        gdal.DGNUpdateElemCore(h, text, 7, 0, 3, 0, 0)
        write(h, text)
    gdal.DGNClose(h)


def big(path):
    h = create(path)
    for i in range(50000):
        x = (i % 250) * 4.0
        y = (i // 250) * 4.0
        write(h, multipoint(h, DGNT_LINE, [(x, y), (x + 3, y + 3)], 1 + i % 10))
    gdal.DGNClose(h)


def v8(path):
    with open(path, "wb") as out:
        out.write(bytes.fromhex("d0cf11e0a1b11ae1") + bytes(504))


folder = sys.argv[1]
if sys.argv[2:] == ["big"]:
    big(os.path.join(folder, "big.dgn"))
else:
    site(os.path.join(folder, "site.dgn"))
    texts(os.path.join(folder, "texts.dgn"))
    v8(os.path.join(folder, "v8.dgn"))
