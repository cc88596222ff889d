#pragma once

#include <array>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// The editor holds points as three doubles, as the classic interface passes them (answers, the
// script's cursor, point variables); the geometry library holds them as QvGePoint3d and
// QvGeVector3d. These convert between the two.
using VexaPoint = std::array<double, 3>;

inline QvGePoint3d toGePoint(const VexaPoint& p) {
  return {p[0], p[1], p[2]};
}
inline QvGeVector3d toGeVector(const VexaPoint& p) {
  return {p[0], p[1], p[2]};
}
inline VexaPoint toVexaPoint(const QvGePoint3d& p) {
  return {p.x, p.y, p.z};
}
inline VexaPoint toVexaPoint(const QvGeVector3d& v) {
  return {v.x, v.y, v.z};
}
