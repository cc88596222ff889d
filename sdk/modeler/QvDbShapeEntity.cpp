#include "sdk/modeler/QvDbShapeEntity.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <Geom_Plane.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiSubEntityTraits.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/detail/BodyData.h"
#include "sdk/modeler/detail/BodyShape.h"
#include "sdk/modeler/detail/OcctCurves.h"
#include "sdk/modeler/detail/OcctShapes.h"
#include "sdk/modeler/detail/RegionShape.h"

using qvmodeler_detail::BodyShape;

namespace {

// Drawn edges follow their curves within this share of the body's size.
constexpr double kDrawShare = 1e-3;

TopTools_IndexedMapOfShape mapOf(const TopoDS_Shape& shape, TopAbs_ShapeEnum kind) {
  TopTools_IndexedMapOfShape map;
  if (!shape.IsNull()) TopExp::MapShapes(shape, kind, map);
  return map;
}

// An edge as points along it.
QvGePoint3dArray edgePoints(const TopoDS_Edge& edge, double eps) {
  QvGePoint3dArray points;
  std::unique_ptr<QvGeCurve3d> curve(qvmodeler_detail::curveOfEdge(edge));
  if (!curve) return points;
  QvGeInterval interval;
  curve->getInterval(interval);
  curve->getSamplePoints(interval.lowerBound(), interval.upperBound(), eps, points);
  return points;
}

// The distance from `p` to the polyline through `points`, all seen along `view` (a unit
// vector): measured in the plane perpendicular to it.
double seenDistance(const QvGePoint3d& p, const QvGePoint3dArray& points,
                    const QvGeVector3d& view) {
  auto flat = [&](const QvGePoint3d& q) {
    const QvGeVector3d v = q.asVector();
    return v - view * v.dotProduct(view);
  };
  const QvGeVector3d at = flat(p);
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < points.length(); ++i) {
    const QvGeVector3d a = flat(points[i]);
    const QvGeVector3d b = i + 1 < points.length() ? flat(points[i + 1]) : a;
    const QvGeVector3d ab = b - a;
    const double len2 = ab.dotProduct(ab);
    double t = len2 > 0.0 ? (at - a).dotProduct(ab) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    best = std::min(best, (a + ab * t - at).length());
  }
  return best;
}

}  // namespace

QvDbShapeEntity::QvDbShapeEntity() : body_(std::make_unique<BodyShape>()) {}
QvDbShapeEntity::~QvDbShapeEntity() = default;

QvDbShapeEntity::QvDbShapeEntity(const QvDbShapeEntity& other)
    : QvDbModelerEntity(other), body_(std::make_unique<BodyShape>(*other.body_)) {}

QvDbShapeEntity& QvDbShapeEntity::operator=(const QvDbShapeEntity& other) {
  if (this == &other) return *this;
  QvDbModelerEntity::operator=(other);
  *body_ = *other.body_;
  return *this;
}

const BodyShape& QvDbShapeEntity::body() const {
  return *body_;
}

Vexa::ErrorStatus QvDbShapeEntity::setBody(const BodyShape& body) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  *body_ = body;
  replaceModelerData(qvmodeler_detail::dataOfShape(body_->shape));
  return Vexa::eOk;
}

bool QvDbShapeEntity::subBodyFromData(const QvDbModelerData& data) {
  TopoDS_Shape shape;
  body_->shape = qvmodeler_detail::shapeOfData(data, shape) ? shape : TopoDS_Shape();
  return !body_->shape.IsNull();
}

bool QvDbShapeEntity::subHasBody() const {
  return !body_->shape.IsNull();
}

Vexa::ErrorStatus QvDbShapeEntity::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (body_->shape.IsNull()) return Vexa::eNotApplicable;
  GProp_GProps props;
  BRepGProp::SurfaceProperties(body_->shape, props);
  area = std::fabs(props.Mass());
  return Vexa::eOk;
}

int QvDbShapeEntity::numFaces() const {
  assertReadEnabled();
  return mapOf(body_->shape, TopAbs_FACE).Extent();
}

int QvDbShapeEntity::numEdges() const {
  assertReadEnabled();
  return mapOf(body_->shape, TopAbs_EDGE).Extent();
}

Vexa::ErrorStatus QvDbShapeEntity::subTransformBy(const QvGeMatrix3d& xform) {
  if (body_->shape.IsNull()) return Vexa::eNotApplicable;
  gp_Trsf trsf;
  if (!qvmodeler_detail::similarity(xform, trsf)) return Vexa::eNotApplicable;
  try {
    BRepBuilderAPI_Transform moved(body_->shape, trsf, true);
    if (!moved.IsDone()) return Vexa::eNotApplicable;
    BodyShape body{moved.Shape()};
    *body_ = body;
    replaceModelerData(qvmodeler_detail::dataOfShape(body_->shape));
  } catch (const Standard_Failure&) {
    return Vexa::eNotApplicable;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbShapeEntity::subGetGeomExtents(QvDbExtents& extents) const {
  const Bnd_Box box = qvmodeler_detail::boxOf(body_->shape);
  if (box.IsVoid()) return Vexa::eInvalidExtents;
  double x0, y0, z0, x1, y1, z1;
  box.Get(x0, y0, z0, x1, y1, z1);
  extents = QvDbExtents(QvGePoint3d(x0, y0, z0), QvGePoint3d(x1, y1, z1));
  return Vexa::eOk;
}

bool QvDbShapeEntity::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  const TopTools_IndexedMapOfShape edges = mapOf(body_->shape, TopAbs_EDGE);
  const double eps = kDrawShare * qvmodeler_detail::sizeOf(qvmodeler_detail::boxOf(body_->shape));
  for (int i = 1; i <= edges.Extent(); ++i) {
    const QvGePoint3dArray points = edgePoints(TopoDS::Edge(edges(i)), eps);
    if (points.length() < 2) continue;
    wd->subEntityTraits().setSelectionMarker(i);
    wd->geometry().polyline(points.length(), points.asArrayPtr());
  }
  wd->subEntityTraits().setSelectionMarker(0);
  return true;
}

Vexa::ErrorStatus QvDbShapeEntity::getSubentPathsAtGsMarker(
    QvDb::SubentType type, int64_t gsMark, const QvGePoint3d& pickPoint,
    const QvGeMatrix3d& viewXform, QvArray<QvDbFullSubentPath>& paths) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (body_->shape.IsNull()) return Vexa::eNotApplicable;
  if (type != QvDb::kEdgeSubentType && type != QvDb::kFaceSubentType) return Vexa::eNotApplicable;
  const TopTools_IndexedMapOfShape edges = mapOf(body_->shape, TopAbs_EDGE);
  int64_t edge = gsMark;
  if (edge == 0) {
    // The rows of the view transform are the view's axes; its z axis points at the viewer.
    QvGeVector3d view(viewXform.entry[2][0], viewXform.entry[2][1], viewXform.entry[2][2]);
    if (view.isZeroLength()) view = QvGeVector3d::kZAxis;
    view.normalize();
    const double eps = kDrawShare * qvmodeler_detail::sizeOf(qvmodeler_detail::boxOf(body_->shape));
    double best = std::numeric_limits<double>::infinity(), nearest = 0.0;
    for (int i = 1; i <= edges.Extent(); ++i) {
      const QvGePoint3dArray points = edgePoints(TopoDS::Edge(edges(i)), eps);
      if (points.isEmpty()) continue;
      const double d = seenDistance(pickPoint, points, view);
      double height = 0.0;
      for (const QvGePoint3d& p : points) height += p.asVector().dotProduct(view);
      height /= points.length();
      if (d < best - eps || (d <= best + eps && height > nearest)) {
        best = std::min(best, d);
        nearest = height;
        edge = i;
      }
    }
  }
  if (edge < 1 || edge > edges.Extent()) return Vexa::eNotApplicable;
  if (type == QvDb::kEdgeSubentType) {
    paths.append(QvDbFullSubentPath(objectId(), QvDbSubentId(QvDb::kEdgeSubentType, edge)));
    return Vexa::eOk;
  }
  const TopTools_IndexedMapOfShape faces = mapOf(body_->shape, TopAbs_FACE);
  TopTools_IndexedDataMapOfShapeListOfShape owners;
  TopExp::MapShapesAndAncestors(body_->shape, TopAbs_EDGE, TopAbs_FACE, owners);
  const int at = owners.FindIndex(edges(static_cast<int>(edge)));
  if (at == 0) return Vexa::eNotApplicable;
  TopTools_IndexedMapOfShape seen;
  for (const TopoDS_Shape& face : owners(at)) {
    if (seen.Contains(face)) continue;
    seen.Add(face);
    if (const int index = faces.FindIndex(face); index > 0)
      paths.append(QvDbFullSubentPath(objectId(), QvDbSubentId(QvDb::kFaceSubentType, index)));
  }
  return Vexa::eOk;
}

QvDbEntity* QvDbShapeEntity::subentPtr(const QvDbSubentId& id) const {
  if (assertReadEnabled() != Vexa::eOk || body_->shape.IsNull()) return nullptr;
  const int64_t index = id.index();
  if (id.type() == QvDb::kEdgeSubentType) {
    const TopTools_IndexedMapOfShape edges = mapOf(body_->shape, TopAbs_EDGE);
    if (index < 1 || index > edges.Extent()) return nullptr;
    std::unique_ptr<QvGeCurve3d> curve(
        qvmodeler_detail::curveOfEdge(TopoDS::Edge(edges(static_cast<int>(index)))));
    QvDbCurve* made = curve ? qvdb_detail::curveFromGe(*curve) : nullptr;
    if (made) made->setPropertiesFrom(this);
    return made;
  }
  if (id.type() == QvDb::kFaceSubentType) {
    const TopTools_IndexedMapOfShape faces = mapOf(body_->shape, TopAbs_FACE);
    if (index < 1 || index > faces.Extent()) return nullptr;
    const TopoDS_Face& face = TopoDS::Face(faces(static_cast<int>(index)));
    const bool planar = !Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face)).IsNull();
    std::unique_ptr<QvDbSurface> surface(planar ? new QvDbPlaneSurface() : new QvDbSurface());
    surface->setPropertiesFrom(this);
    surface->setShape(BodyShape{face});
    return surface.release();
  }
  return nullptr;
}

Vexa::ErrorStatus QvDbShapeEntity::subExplode(QvArray<QvDbEntity*>& pieces) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (body_->shape.IsNull()) return Vexa::eNotApplicable;
  const TopTools_IndexedMapOfShape faces = mapOf(body_->shape, TopAbs_FACE);
  std::vector<std::unique_ptr<QvDbEntity>> made;
  try {
    for (int i = 1; i <= faces.Extent(); ++i) {
      // A copy of its own, so that the pieces share no geometry.
      const TopoDS_Face face = TopoDS::Face(BRepBuilderAPI_Copy(faces(i)).Shape());
      if (!Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face)).IsNull()) {
        auto region = std::make_unique<QvDbRegion>();
        region->setShape(qvmodeler_detail::RegionShape{face});
        made.push_back(std::move(region));
      } else {
        auto surface = std::make_unique<QvDbSurface>();
        if (surface->setShape(BodyShape{face}) != Vexa::eOk) return Vexa::eNotApplicable;
        made.push_back(std::move(surface));
      }
    }
  } catch (const Standard_Failure&) {
    return Vexa::eNotApplicable;
  }
  // A surface of one curved face is as far apart as it goes.
  if (made.empty() ||
      (made.size() == 1 && isKindOf(QvDbSurface::desc()) && QvDbSurface::cast(made.front().get())))
    return Vexa::eNotApplicable;
  for (std::unique_ptr<QvDbEntity>& piece : made) {
    piece->setPropertiesFrom(this);
    pieces.append(piece.release());
  }
  return Vexa::eOk;
}
