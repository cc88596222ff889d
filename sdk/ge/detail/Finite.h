#pragma once

#include <cmath>

#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector2d.h"
#include "sdk/ge/QvGeVector3d.h"

namespace qvge_detail {

// True when every coordinate is finite (no NaN, no infinity).
inline bool isFinite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
inline bool isFinite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline bool isFinite(const QvGePoint2d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}
inline bool isFinite(const QvGeVector2d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y);
}
template <class Matrix>
bool isFiniteMatrix(const Matrix& m) {
  for (const auto& row : m.entry)
    for (double v : row)
      if (!std::isfinite(v)) return false;
  return true;
}
inline bool isFinite(const QvGeMatrix3d& m) {
  return isFiniteMatrix(m);
}
inline bool isFinite(const QvGeMatrix2d& m) {
  return isFiniteMatrix(m);
}

}  // namespace qvge_detail
