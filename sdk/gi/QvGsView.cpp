#include "sdk/gi/QvGsView.h"

#include <cmath>

namespace {

bool isFinite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool isFinite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

// A copy is a view of its own: the viewport keeps its view.
QvGsView::QvGsView(const QvGsView& other)
    : position_(other.position_), target_(other.target_), upVector_(other.upVector_) {}

QvGsView& QvGsView::operator=(const QvGsView& other) {
  position_ = other.position_;
  target_ = other.target_;
  upVector_ = other.upVector_;
  return *this;
}

Vexa::ErrorStatus QvGsView::setView(const QvGePoint3d& position, const QvGePoint3d& target,
                                    const QvGeVector3d& upVector) {
  if (!isFinite(position) || !isFinite(target) || !isFinite(upVector)) return Vexa::eInvalidInput;
  const QvGeVector3d direction = target - position;
  if (direction.isZeroLength()) return Vexa::eInvalidInput;
  const QvGeVector3d unitDirection = direction.normal();
  const QvGeVector3d across = upVector - unitDirection * upVector.dotProduct(unitDirection);
  if (across.isZeroLength()) return Vexa::eInvalidInput;
  position_ = position;
  target_ = target;
  upVector_ = across.normal();
  return Vexa::eOk;
}

QvGeMatrix3d QvGsView::worldToEyeMatrix() const {
  const QvGeVector3d z = (position_ - target_).normal();
  const QvGeVector3d x = upVector_.crossProduct(z).normal();
  QvGeMatrix3d eyeToWorld;
  eyeToWorld.setCoordSystem(target_, x, upVector_, z);
  // The frame is orthonormal, so the inverse is its transpose with the origin moved back.
  return eyeToWorld.inverse();
}
