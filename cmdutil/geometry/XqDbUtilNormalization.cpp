#include <algorithm>
#include <memory>
#include <optional>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbToQvGe.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeBoundBlock3d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

constexpr double kDiagonal = 10.0;
constexpr double kNoSize = 1e-10;

// An axis-aligned box, empty until a point is added.
struct Box {
  QvGePoint3d min{1e20, 1e20, 1e20};
  QvGePoint3d max{-1e20, -1e20, -1e20};

  void add(const QvGePoint3d& p) {
    for (int i = 0; i < 3; ++i) {
      min[i] = std::min(min[i], p[i]);
      max[i] = std::max(max[i], p[i]);
    }
  }
  void add(const Box& other) {
    add(other.min);
    add(other.max);
  }
};

Box spanned(const QvGePoint3d& a, const QvGePoint3d& b) {
  Box box;
  box.add(a);
  box.add(b);
  return box;
}

Box boxOf(const QvGeCurve3d& curve) {
  if (curve.type() == QvGe::kRay3d) {
    const auto& ray = static_cast<const QvGeRay3d&>(curve);
    return spanned(ray.pointOnLine(), ray.pointOnLine() + ray.rayDirection() * 10.0);
  }
  if (curve.type() == QvGe::kLine3d) {
    const auto& line = static_cast<const QvGeLine3d&>(curve);
    const QvGeVector3d half = line.direction() * 5.0;
    return spanned(line.pointOnLine() - half, line.pointOnLine() + half);
  }
  const QvGeBoundBlock3d block = curve.orthoBoundBlock();
  return spanned(block.minPoint(), block.maxPoint());
}

// Translation of the box centre to the origin, then, withScale, the scaling to the diagonal.
QvGeMatrix3d fromBox(const Box& box, bool withScale) {
  const QvGePoint3d center = box.min + (box.max - box.min) * 0.5;
  const QvGeMatrix3d toOrigin = QvGeMatrix3d::translation(QvGePoint3d::kOrigin - center);
  if (!withScale) return toOrigin;
  const double diagonal = box.max.distanceTo(box.min);
  const double factor = diagonal > kNoSize ? kDiagonal / diagonal : 1.0;
  return QvGeMatrix3d::scaling(factor) * toOrigin;
}

std::unique_ptr<QvGeCurve3d> geCurveOf(const QvDbCurve* curve) {
  QvGeCurve3d* result = nullptr;
  if (QvDbToQvGe::curve3d(curve, result, false) != Vexa::eOk) {
    delete result;
    return nullptr;
  }
  return std::unique_ptr<QvGeCurve3d>(result);
}

// The box of an entity that makes no geometry curve.
std::optional<Box> entityBox(const QvDbCurve* curve) {
  if (curve->isA() == QvDbRay::desc()) {
    const auto* ray = static_cast<const QvDbRay*>(curve);
    return spanned(ray->basePoint(), ray->basePoint() + ray->unitDir() * 10.0);
  }
  if (curve->isA() == QvDbXline::desc()) {
    const auto* xline = static_cast<const QvDbXline*>(curve);
    const QvGeVector3d half = xline->unitDir() * 5.0;
    return spanned(xline->basePoint() - half, xline->basePoint() + half);
  }
  QvDbExtents extents;
  if (curve->getGeomExtents(extents) != Vexa::eOk) return std::nullopt;
  return spanned(extents.minPoint(), extents.maxPoint());
}

}  // namespace

QvGeMatrix3d XqDbUtil::normalizationMatrix(const QvGeCurve3d& curve, bool withScale) {
  return fromBox(boxOf(curve), withScale);
}

QvGeMatrix3d XqDbUtil::normalizationMatrix(const QvGeCurve3d& first, const QvGeCurve3d& second) {
  Box box = boxOf(first);
  box.add(boxOf(second));
  return fromBox(box, true);
}

QvGeMatrix3d XqDbUtil::normalizationMatrix(const QvDbCurve* const& curve, bool withScale) {
  if (!curve) return QvGeMatrix3d::kIdentity;
  if (const std::unique_ptr<QvGeCurve3d> geCurve = geCurveOf(curve))
    return normalizationMatrix(*geCurve, withScale);
  const std::optional<Box> box = entityBox(curve);
  return box ? fromBox(*box, withScale) : QvGeMatrix3d::kIdentity;
}

QvGeMatrix3d XqDbUtil::normalizationMatrix(const QvDbCurve* const& first,
                                           const QvDbCurve* const& second) {
  if (!first || !second) return QvGeMatrix3d::kIdentity;
  const std::unique_ptr<QvGeCurve3d> firstCurve = geCurveOf(first);
  const std::unique_ptr<QvGeCurve3d> secondCurve = geCurveOf(second);
  if (firstCurve && secondCurve) return normalizationMatrix(*firstCurve, *secondCurve);
  const std::optional<Box> firstBox = entityBox(first);
  const std::optional<Box> secondBox = entityBox(second);
  // A curve without any box leaves the identity, as a single curve without one does.
  if (!firstBox || !secondBox) return QvGeMatrix3d::kIdentity;
  Box box = *firstBox;
  box.add(*secondBox);
  return fromBox(box, true);
}
