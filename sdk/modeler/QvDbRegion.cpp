#include "sdk/modeler/QvDbRegion.h"

#include <BRepAlgoAPI_BooleanOperation.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <BRepTools.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pln.hxx>
#include <gp_Trsf.hxx>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/modeler/detail/BodyData.h"
#include "sdk/modeler/detail/OcctCurves.h"
#include "sdk/modeler/detail/OcctShapes.h"
#include "sdk/modeler/detail/RegionBuilder.h"
#include "sdk/modeler/detail/RegionShape.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRegion)

using qvmodeler_detail::boxOf;
using qvmodeler_detail::RegionShape;
using qvmodeler_detail::similarity;
using qvmodeler_detail::sizeOf;

namespace {

// Points closer than this share of the regions' size are one point.
constexpr double kTouchShare = 1e-6;
// Drawn loops follow their curves within this share of the region's size.
constexpr double kDrawShare = 1e-3;

// Whether a vertex of one shape lies within `reach` of a vertex of the other.
bool cornersWithin(const TopoDS_Shape& a, const TopoDS_Shape& b, double reach) {
  std::vector<gp_Pnt> corners;
  for (TopExp_Explorer e(a, TopAbs_VERTEX); e.More(); e.Next())
    corners.push_back(BRep_Tool::Pnt(TopoDS::Vertex(e.Current())));
  const double reach2 = reach * reach;
  for (TopExp_Explorer e(b, TopAbs_VERTEX); e.More(); e.Next()) {
    const gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(e.Current()));
    for (const gp_Pnt& q : corners)
      if (p.SquareDistance(q) <= reach2) return true;
  }
  return false;
}

// Whether every face of the shape lies in one plane (within kTouchShare of its size).
bool facesShareAPlane(const TopoDS_Shape& shape) {
  const auto faces = qvmodeler_detail::facesOf(shape);
  if (faces.empty()) return false;
  const double reach = kTouchShare * sizeOf(boxOf(shape));
  QvGePlane first;
  for (const TopoDS_Face& face : faces) {
    double n[3], o[3];
    if (!qvmodeler_detail::faceNormal(face, n, o)) return false;
    const QvGePlane plane(QvGePoint3d(o[0], o[1], o[2]), QvGeVector3d(n[0], n[1], n[2]));
    if (&face == &faces.front())
      first = plane;
    else if (!plane.normal().isParallelTo(first.normal(), QvGeTol(1e-9, 1e-9)) ||
             std::fabs(first.signedDistanceTo(plane.pointOnPlane())) > reach)
      return false;
  }
  return true;
}

// The curves of a face's loops, outer loop first, each loop in order along it.
std::vector<std::unique_ptr<QvGeCurve3d>> loopCurves(const TopoDS_Face& face) {
  std::vector<std::unique_ptr<QvGeCurve3d>> curves;
  const TopoDS_Wire outer = BRepTools::OuterWire(face);
  std::vector<TopoDS_Wire> wires;
  if (!outer.IsNull()) wires.push_back(outer);
  for (TopExp_Explorer e(face, TopAbs_WIRE); e.More(); e.Next())
    if (!e.Current().IsSame(outer)) wires.push_back(TopoDS::Wire(e.Current()));
  for (const TopoDS_Wire& wire : wires)
    for (BRepTools_WireExplorer e(wire, face); e.More(); e.Next())
      if (QvGeCurve3d* curve = qvmodeler_detail::curveOfEdge(e.Current()))
        curves.emplace_back(curve);
  return curves;
}

std::vector<std::unique_ptr<QvGeCurve3d>> outlineOf(const TopoDS_Shape& shape) {
  std::vector<std::unique_ptr<QvGeCurve3d>> curves;
  for (const TopoDS_Face& face : qvmodeler_detail::facesOf(shape)) {
    auto loops = loopCurves(face);
    for (auto& curve : loops) curves.push_back(std::move(curve));
  }
  return curves;
}

// Every loop curve as points along it, within kDrawShare of the region's size.
std::vector<QvGePoint3dArray> outlinePoints(const TopoDS_Shape& shape) {
  std::vector<QvGePoint3dArray> loops;
  const double eps = kDrawShare * sizeOf(boxOf(shape));
  for (const auto& curve : outlineOf(shape)) {
    QvGeInterval interval;
    curve->getInterval(interval);
    QvGePoint3dArray points;
    curve->getSamplePoints(interval.lowerBound(), interval.upperBound(), eps, points);
    loops.push_back(std::move(points));
  }
  return loops;
}

}  // namespace

QvDbRegion::QvDbRegion() : shape_(std::make_unique<RegionShape>()) {}
QvDbRegion::~QvDbRegion() = default;

QvDbRegion::QvDbRegion(const QvDbRegion& other)
    : QvDbModelerEntity(other), shape_(std::make_unique<RegionShape>(*other.shape_)) {}

QvDbRegion& QvDbRegion::operator=(const QvDbRegion& other) {
  if (this == &other) return *this;
  QvDbModelerEntity::operator=(other);
  *shape_ = *other.shape_;
  return *this;
}

const RegionShape& QvDbRegion::shape() const {
  return *shape_;
}

void QvDbRegion::setShape(const RegionShape& shape) {
  if (assertWriteEnabled() != Vexa::eOk) return;
  adopt(shape.shape);
}

void QvDbRegion::adopt(const TopoDS_Shape& shape) {
  shape_->shape = shape;
  replaceModelerData(qvmodeler_detail::dataOfShape(shape));
}

bool QvDbRegion::subBodyFromData(const QvDbModelerData& data) {
  TopoDS_Shape read;
  shape_->shape.Nullify();
  if (!qvmodeler_detail::shapeOfData(data, read)) return false;
  try {
    if (facesShareAPlane(read)) shape_->shape = qvmodeler_detail::regionShapeOf(read);
  } catch (const Standard_Failure&) {
    shape_->shape.Nullify();
  }
  return subHasBody();
}

bool QvDbRegion::subHasBody() const {
  return !shape_->shape.IsNull() && !qvmodeler_detail::facesOf(shape_->shape).empty();
}

bool QvDbRegion::isOpaque() const {
  return !subHasBody() && !modelerData().empty();
}

bool QvDbRegion::isNull() const {
  assertReadEnabled();
  return !subHasBody() && modelerData().empty();
}

int QvDbRegion::numFaces() const {
  assertReadEnabled();
  return static_cast<int>(qvmodeler_detail::facesOf(shape_->shape).size());
}

Vexa::ErrorStatus QvDbRegion::getNormal(QvGeVector3d& normal) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const auto faces = qvmodeler_detail::facesOf(shape_->shape);
  double n[3], o[3];
  if (faces.empty() || !qvmodeler_detail::faceNormal(faces.front(), n, o))
    return Vexa::eNotApplicable;
  normal.set(n[0], n[1], n[2]);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (isOpaque()) return Vexa::eNotApplicable;
  GProp_GProps props;
  if (!shape_->shape.IsNull()) BRepGProp::SurfaceProperties(shape_->shape, props);
  area = std::fabs(props.Mass());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::getPerimeter(double& perimeter) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (isOpaque()) return Vexa::eNotApplicable;
  perimeter = 0.0;
  for (const TopoDS_Face& face : qvmodeler_detail::facesOf(shape_->shape)) {
    GProp_GProps props;
    BRepGProp::LinearProperties(face, props);
    perimeter += props.Mass();
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::getAreaProp(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                                          const QvGeVector3d& yAxis, double& perimeter,
                                          double& area, QvGePoint2d& centroid, double momInertia[2],
                                          double& prodInertia, double prinMoments[2],
                                          QvGeVector2d prinAxes[2], double radiiGyration[2],
                                          QvGePoint2d& extentsLow, QvGePoint2d& extentsHigh) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!subHasBody()) return Vexa::eNotApplicable;
  if (xAxis.isZeroLength() || yAxis.isZeroLength() || xAxis.isParallelTo(yAxis))
    return Vexa::eInvalidInput;
  const QvGeVector3d x = xAxis.normal();
  const QvGeVector3d y = (yAxis - x * yAxis.dotProduct(x)).normal();
  GProp_GProps props;
  BRepGProp::SurfaceProperties(shape_->shape, props);
  area = std::fabs(props.Mass());
  getPerimeter(perimeter);
  const gp_Pnt g = props.CentreOfMass();
  const QvGeVector3d c = QvGePoint3d(g.X(), g.Y(), g.Z()) - origin;
  centroid.set(c.dotProduct(x), c.dotProduct(y));
  // The inertia matrix about the centroid: u.I.u is the integral of (|r|^2 - (r.u)^2), and
  // u.I.v (u, v perpendicular) is minus the integral of (r.u)(r.v).
  const gp_Mat inertia = props.MatrixOfInertia();
  auto form = [&](const QvGeVector3d& u, const QvGeVector3d& v) {
    double sum = 0.0;
    const double a[3] = {u.x, u.y, u.z}, b[3] = {v.x, v.y, v.z};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) sum += a[i] * inertia.Value(i + 1, j + 1) * b[j];
    return sum;
  };
  const double yy = form(x, x), xx = form(y, y), xy = -form(x, y);  // about the centroid
  momInertia[0] = yy + area * centroid.y * centroid.y;
  momInertia[1] = xx + area * centroid.x * centroid.x;
  prodInertia = xy + area * centroid.x * centroid.y;
  // Principal moments: the eigenvalues of [[yy, -xy], [-xy, xx]].
  const double mean = 0.5 * (yy + xx), radius = std::hypot(0.5 * (yy - xx), xy);
  prinMoments[0] = mean + radius;
  prinMoments[1] = mean - radius;
  const double angle = 0.5 * std::atan2(-2.0 * xy, yy - xx);
  prinAxes[0].set(std::cos(angle), std::sin(angle));
  prinAxes[1].set(-std::sin(angle), std::cos(angle));
  radiiGyration[0] = area > 0.0 ? std::sqrt(momInertia[0] / area) : 0.0;
  radiiGyration[1] = area > 0.0 ? std::sqrt(momInertia[1] / area) : 0.0;
  bool first = true;
  for (const QvGePoint3dArray& points : outlinePoints(shape_->shape)) {
    for (const QvGePoint3d& p : points) {
      const QvGePoint2d q((p - origin).dotProduct(x), (p - origin).dotProduct(y));
      if (first) extentsLow = extentsHigh = q;
      first = false;
      extentsLow.set(std::min(extentsLow.x, q.x), std::min(extentsLow.y, q.y));
      extentsHigh.set(std::max(extentsHigh.x, q.x), std::max(extentsHigh.y, q.y));
    }
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::booleanOper(BoolOperType operation, QvDbRegion* other) {
  if (!other || other == this) return Vexa::eInvalidInput;
  if (operation < kBoolUnite || operation > kBoolSubtract) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (const Vexa::ErrorStatus es = other->assertWriteEnabled(); es != Vexa::eOk) return es;
  if (isOpaque() || other->isOpaque()) return Vexa::eNotApplicable;
  const TopoDS_Shape& a = shape_->shape;
  const TopoDS_Shape& b = other->shape_->shape;
  TopoDS_Shape result;
  if (isNull() || other->isNull()) {
    // With an empty side: a union or difference keeps this one (a union with an empty this
    // takes the other), an intersection is empty.
    if (operation == kBoolUnite && isNull())
      result = b;
    else if (operation != kBoolIntersect)
      result = a;
  } else {
    QvGeVector3d na, nb;
    getNormal(na);
    other->getNormal(nb);
    QvGePlane plane, otherPlane;
    QvDb::Planarity planarity;
    subGetPlane(plane, planarity);
    other->subGetPlane(otherPlane, planarity);
    const double size = std::max(sizeOf(boxOf(a)), sizeOf(boxOf(b)));
    if (!na.isParallelTo(nb, QvGeTol(1e-9, 1e-9)) ||
        std::fabs(plane.signedDistanceTo(otherPlane.pointOnPlane())) > kTouchShare * size)
      return Vexa::eNotApplicable;
    try {
      std::unique_ptr<BRepAlgoAPI_BooleanOperation> op;
      if (operation == kBoolUnite)
        op = std::make_unique<BRepAlgoAPI_Fuse>(a, b);
      else if (operation == kBoolIntersect)
        op = std::make_unique<BRepAlgoAPI_Common>(a, b);
      else
        op = std::make_unique<BRepAlgoAPI_Cut>(a, b);
      if (!op->IsDone() || op->HasErrors()) return Vexa::eNotApplicable;
      ShapeUpgrade_UnifySameDomain unify(op->Shape(), true, true, false);
      unify.Build();
      result = qvmodeler_detail::regionShapeOf(unify.Shape());
    } catch (const Standard_Failure&) {
      return Vexa::eNotApplicable;
    }
  }
  adopt(result);
  other->adopt(TopoDS_Shape());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::subTransformBy(const QvGeMatrix3d& xform) {
  gp_Trsf trsf;
  if (!similarity(xform, trsf) || isOpaque()) return Vexa::eNotApplicable;
  if (shape_->shape.IsNull()) return Vexa::eOk;
  try {
    BRepBuilderAPI_Transform moved(shape_->shape, trsf, true);
    if (!moved.IsDone()) return Vexa::eNotApplicable;
    adopt(qvmodeler_detail::regionShapeOf(moved.Shape()));
  } catch (const Standard_Failure&) {
    return Vexa::eNotApplicable;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::subGetGeomExtents(QvDbExtents& extents) const {
  const Bnd_Box box = boxOf(shape_->shape);
  if (box.IsVoid()) return Vexa::eInvalidExtents;
  double x0, y0, z0, x1, y1, z1;
  box.Get(x0, y0, z0, x1, y1, z1);
  extents = QvDbExtents(QvGePoint3d(x0, y0, z0), QvGePoint3d(x1, y1, z1));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::subExplode(QvArray<QvDbEntity*>& pieces) const {
  const auto faces = qvmodeler_detail::facesOf(shape_->shape);
  if (faces.empty()) return Vexa::eNotApplicable;
  QvArray<QvDbEntity*> made;
  if (faces.size() > 1) {
    for (const TopoDS_Face& face : faces) {
      auto* region = new QvDbRegion();
      region->setPropertiesFrom(this);
      region->adopt(face);
      made.append(region);
    }
  } else {
    QvGeVector3d normal;
    getNormal(normal);
    for (const auto& curve : loopCurves(faces.front())) {
      QvDbCurve* piece = qvdb_detail::curveFromGe(*curve, &normal);
      if (!piece) {
        for (QvDbEntity* e : made) delete e;
        return Vexa::eNotApplicable;
      }
      piece->setPropertiesFrom(this);
      made.append(piece);
    }
  }
  for (QvDbEntity* e : made) pieces.append(e);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  const auto faces = qvmodeler_detail::facesOf(shape_->shape);
  double n[3], o[3];
  if (faces.empty() || !qvmodeler_detail::faceNormal(faces.front(), n, o)) {
    planarity = QvDb::kNonPlanar;
    return Vexa::eNotApplicable;
  }
  plane = QvGePlane(QvGePoint3d(o[0], o[1], o[2]), QvGeVector3d(n[0], n[1], n[2]));
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRegion::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  for (auto& curve : outlineOf(shape_->shape)) curves.append(curve.release());
  return Vexa::eOk;
}

bool QvDbRegion::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  for (const QvGePoint3dArray& points : outlinePoints(shape_->shape))
    if (points.length() >= 2) wd->geometry().polyline(points.length(), points.asArrayPtr());
  return true;
}

QvDbImpObject* QvDbRegion::createImpObject() {
  return new QvDbRegionImp(this);
}

bool QvDbRegionImp::isIntersectWithRegion(const QvDbRegion* other, bool) const {
  const QvDbRegion* self = QvDbRegion::cast(entity());
  if (!self || !other || self->isNull() || other->isNull()) return false;
  const TopoDS_Shape& a = self->shape().shape;
  const TopoDS_Shape& b = other->shape().shape;
  try {
    const Bnd_Box boxA = boxOf(a), boxB = boxOf(b);
    const double reach = kTouchShare * std::max(sizeOf(boxA), sizeOf(boxB));
    // Boxes farther apart than the reach, or corners within it, answer without the distance.
    Bnd_Box grown = boxA;
    grown.Enlarge(reach);
    if (grown.IsOut(boxB)) return false;
    if (cornersWithin(a, b, reach)) return true;
    BRepExtrema_DistShapeShape distance(a, b);
    if (!distance.IsDone()) return false;
    return distance.Value() <= reach;
  } catch (const Standard_Failure&) {
    return false;
  }
}
