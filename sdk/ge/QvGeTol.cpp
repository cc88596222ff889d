#include "sdk/ge/QvGeTol.h"

#include <cmath>

namespace {
bool isUsableTolerance(double value) {
  return std::isfinite(value) && value >= 0.0;
}
}  // namespace

QvGeTol::QvGeTol(double equalPoint, double equalVector) {
  setEqualPoint(equalPoint);
  setEqualVector(equalVector);
}

bool QvGeTol::setEqualPoint(double value) {
  if (!isUsableTolerance(value)) return false;
  equalPoint_ = value;
  return true;
}

bool QvGeTol::setEqualVector(double value) {
  if (!isUsableTolerance(value)) return false;
  equalVector_ = value;
  return true;
}
