#pragma once

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace qvge_detail {

// The types of one dimension, so that the curve algorithms are written once for 2D and 3D.
template <int Dim>
struct GeSpace;

template <>
struct GeSpace<3> {
  static constexpr int kDim = 3;
  using Point = QvGePoint3d;
  using Vector = QvGeVector3d;
  using Curve = QvGeCurve3d;
  using Extents = QvGeExtents3d;
  using Matrix = QvGeMatrix3d;
  using PointArray = QvGePoint3dArray;
  using VectorArray = QvGeVector3dArray;
};

template <>
struct GeSpace<2> {
  static constexpr int kDim = 2;
  using Point = QvGePoint2d;
  using Vector = QvGeVector2d;
  using Curve = QvGeCurve2d;
  using Extents = QvGeExtents2d;
  using Matrix = QvGeMatrix2d;
  using PointArray = QvGePoint2dArray;
  using VectorArray = QvGeVector2dArray;
};

// The box of a curve over a range, as extents of the curve's dimension.
inline QvGeExtents3d curveBox(const QvGeCurve3d& c, const QvGeInterval& range) {
  return c.orthoBoundBlock(range).extents();
}
inline QvGeExtents2d curveBox(const QvGeCurve2d& c, const QvGeInterval& range) {
  return c.boundBlock(range);
}

// Point and vector built from the first Dim coordinates.
template <class Point>
Point pointFrom(const double* c);
template <>
inline QvGePoint3d pointFrom<QvGePoint3d>(const double* c) {
  return {c[0], c[1], c[2]};
}
template <>
inline QvGePoint2d pointFrom<QvGePoint2d>(const double* c) {
  return {c[0], c[1]};
}

// The unit vector along axis i (0 x, 1 y, 2 z).
template <class Vector>
Vector unitAxis(int i) {
  Vector v;
  v[i] = 1.0;
  return v;
}

template <class Vector>
Vector vectorFrom(const double* c);
template <>
inline QvGeVector3d vectorFrom<QvGeVector3d>(const double* c) {
  return {c[0], c[1], c[2]};
}
template <>
inline QvGeVector2d vectorFrom<QvGeVector2d>(const double* c) {
  return {c[0], c[1]};
}

}  // namespace qvge_detail
