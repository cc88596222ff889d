#include "sdk/ge/QvGe.h"

namespace QvGe {

namespace {

struct KindRow {
  EntityId kind;
  EntityId parent;
  const char* name;
};

// One row per kind, in enumeration order.
constexpr KindRow kKindTree[] = {
    {kEntity2d, kEntity2d, "Entity2d"},
    {kEntity3d, kEntity3d, "Entity3d"},
    {kCurve2d, kEntity2d, "Curve2d"},
    {kCurve3d, kEntity3d, "Curve3d"},
    {kLinearEnt2d, kCurve2d, "LinearEnt2d"},
    {kLinearEnt3d, kCurve3d, "LinearEnt3d"},
    {kLineSeg2d, kLinearEnt2d, "LineSeg2d"},
    {kLine3d, kLinearEnt3d, "Line3d"},
    {kLineSeg3d, kLinearEnt3d, "LineSeg3d"},
    {kRay3d, kLinearEnt3d, "Ray3d"},
    {kCircArc2d, kCurve2d, "CircArc2d"},
    {kCircArc3d, kCurve3d, "CircArc3d"},
    {kEllipArc2d, kCurve2d, "EllipArc2d"},
    {kEllipArc3d, kCurve3d, "EllipArc3d"},
    {kSplineEnt2d, kCurve2d, "SplineEnt2d"},
    {kSplineEnt3d, kCurve3d, "SplineEnt3d"},
    {kNurbCurve2d, kSplineEnt2d, "NurbCurve2d"},
    {kNurbCurve3d, kSplineEnt3d, "NurbCurve3d"},
    {kPolyline3d, kSplineEnt3d, "Polyline3d"},
    {kCompositeCrv3d, kCurve3d, "CompositeCrv3d"},
};

static_assert(sizeof(kKindTree) / sizeof(kKindTree[0]) == kCompositeCrv3d + 1,
              "every kind needs a row");

const KindRow& rowOf(EntityId kind) {
  return kKindTree[static_cast<int>(kind)];
}

}  // namespace

EntityId parentOf(EntityId kind) {
  return rowOf(kind).parent;
}

bool isKindOf(EntityId kind, EntityId base) {
  for (;;) {
    if (kind == base) return true;
    const EntityId parent = parentOf(kind);
    if (parent == kind) return false;
    kind = parent;
  }
}

const char* entityName(EntityId kind) {
  return rowOf(kind).name;
}

}  // namespace QvGe
