#pragma once

#include "sdk/win/VexaWindowTypes.h"

// The class library's point, size and rectangle: the plain records with arithmetic.
class CPoint : public POINT {
 public:
  CPoint() = default;
  CPoint(long x0, long y0) : POINT{x0, y0} {}
  CPoint(const POINT& p) : POINT(p) {}  // NOLINT: as in the class library
  explicit CPoint(LPARAM packed) : POINT{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)} {}
  void Offset(long dx, long dy) {
    x += dx;
    y += dy;
  }
  CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
  CPoint operator-(const POINT& p) const { return CPoint(x - p.x, y - p.y); }
  bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
};

class CSize : public SIZE {
 public:
  CSize() = default;
  CSize(long w, long h) : SIZE{w, h} {}
  CSize(const SIZE& s) : SIZE(s) {}  // NOLINT
  bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
};

class CRect : public RECT {
 public:
  CRect() = default;
  CRect(long l, long t, long r, long b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}  // NOLINT
  CRect(const POINT& topLeft, const SIZE& size)
      : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

  long Width() const { return right - left; }
  long Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(const POINT& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  void OffsetRect(long dx, long dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void InflateRect(long dx, long dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  void DeflateRect(long dx, long dy) { InflateRect(-dx, -dy); }
  bool operator==(const RECT& r) const {
    return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
  }
  operator RECT*() { return this; }              // NOLINT: as in the class library
  operator const RECT*() const { return this; }  // NOLINT
};
