#include "sdk/db/QvDbHatch.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/HatchEvaluation.h"
#include "sdk/db/detail/HatchPattern.h"
#include "sdk/db/detail/PlaneCurves.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbHatch)

using qvdb_detail::HatchEdge;
using qvdb_detail::HatchEvaluation;

// Fit data kept with a spline edge.
struct EdgeFit {
  std::vector<QvGePoint2d> points;
  QvGeVector2d startTangent;
  QvGeVector2d endTangent;
};

struct QvDbHatch::Loop {
  int type = 0;
  // Polyline form.
  std::vector<QvGePoint2d> vertices;
  std::vector<double> bulges;  // one per vertex
  bool closed = true;
  // Edge form.
  std::vector<HatchEdge> edges;
  std::vector<EdgeFit> fits;  // one per edge, empty but for splines with fit data
  std::vector<QvDbObjectId> ids;

  bool isPolyline() const { return (type & kPolyline) != 0; }
  std::vector<HatchEdge> boundary() const {
    return isPolyline() ? qvdb_detail::polylineLoopEdges(vertices, bulges, closed) : edges;
  }
};

namespace {

int edgeTypeOf(const QvGeCurve2d& curve) {
  switch (curve.type()) {
    case QvGe::kLineSeg2d:
      return QvDbHatch::kLine;
    case QvGe::kCircArc2d:
      return QvDbHatch::kCirArc;
    case QvGe::kEllipArc2d:
      return QvDbHatch::kEllArc;
    case QvGe::kNurbCurve2d:
      return QvDbHatch::kSpline;
    default:
      return 0;
  }
}

QvGePoint3d mapped(const QvGeMatrix3d& m, QvGePoint3d p) {
  return p.transformBy(m);
}

QvGePoint3d inWorld(const QvGeMatrix3d& toWorld, const QvGePoint2d& p) {
  return mapped(toWorld, QvGePoint3d(p.x, p.y, 0.0));
}

template <class T>
void appendAll(QvArray<T>& to, const std::vector<T>& from) {
  for (const T& value : from) to.append(value);
}

bool isFinite(const QvGePoint2d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

// The 2D map a similarity of space makes of the plane of (normal, elevation): the new normal
// and elevation, and the map of plane coordinates. False when the matrix does not keep the
// plane's shapes up to a similarity.
bool planeMap(const QvGeMatrix3d& xform, const QvGeMatrix3d& toWorld, QvGeVector3d& newNormal,
              double& newElevation, QvGeMatrix2d& map) {
  const QvGeMatrix3d m = xform * toWorld;
  const QvGePoint3d o = mapped(m, QvGePoint3d::kOrigin);
  const QvGeVector3d u = mapped(m, QvGePoint3d(1, 0, 0)) - o;
  const QvGeVector3d v = mapped(m, QvGePoint3d(0, 1, 0)) - o;
  const double su = u.length(), sv = v.length();
  if (!(su > 0.0) || !std::isfinite(su) || std::fabs(su - sv) > 1e-9 * su ||
      std::fabs(u.dotProduct(v)) > 1e-9 * su * sv)
    return false;
  newNormal = u.crossProduct(v).normal();
  newElevation = newNormal.dotProduct(o.asVector());
  const QvGePlane plane(QvGePoint3d::kOrigin, newNormal);
  const QvGeVector3d x = plane.uAxis(), y = plane.vAxis();
  map.entry[0][0] = u.dotProduct(x);
  map.entry[0][1] = v.dotProduct(x);
  map.entry[0][2] = o.asVector().dotProduct(x);
  map.entry[1][0] = u.dotProduct(y);
  map.entry[1][1] = v.dotProduct(y);
  map.entry[1][2] = o.asVector().dotProduct(y);
  return true;
}

QvGeVector2d linearPart(const QvGeVector2d& v, const QvGeMatrix2d& m) {
  return {m.entry[0][0] * v.x + m.entry[0][1] * v.y, m.entry[1][0] * v.x + m.entry[1][1] * v.y};
}

}  // namespace

QvDbHatch::QvDbHatch() = default;
QvDbHatch::~QvDbHatch() = default;

QvDbHatch::QvDbHatch(const QvDbHatch& other)
    : QvDbEntity(other),
      loops_(other.loops_),
      normal_(other.normal_),
      elevation_(other.elevation_),
      patternType_(other.patternType_),
      patternName_(other.patternName_),
      solidFill_(other.solidFill_),
      patternAngle_(other.patternAngle_),
      patternScale_(other.patternScale_),
      patternDouble_(other.patternDouble_),
      patternLines_(other.patternLines_),
      style_(other.style_),
      gradient_(other.gradient_ ? std::make_unique<QvDbHatchGradient>(*other.gradient_) : nullptr),
      pixelSize_(other.pixelSize_),
      associative_(other.associative_),
      seeds_(other.seeds_),
      evaluation_(other.evaluation_) {}

QvDbHatch& QvDbHatch::operator=(const QvDbHatch& other) {
  if (this == &other) return *this;
  QvDbEntity::operator=(other);
  loops_ = other.loops_;
  normal_ = other.normal_;
  elevation_ = other.elevation_;
  patternType_ = other.patternType_;
  patternName_ = other.patternName_;
  solidFill_ = other.solidFill_;
  patternAngle_ = other.patternAngle_;
  patternScale_ = other.patternScale_;
  patternDouble_ = other.patternDouble_;
  patternLines_ = other.patternLines_;
  style_ = other.style_;
  gradient_ = other.gradient_ ? std::make_unique<QvDbHatchGradient>(*other.gradient_) : nullptr;
  pixelSize_ = other.pixelSize_;
  associative_ = other.associative_;
  seeds_ = other.seeds_;
  evaluation_ = other.evaluation_;
  // The reactor links are the state of the other objects: what is to be unlinked stays.
  return *this;
}

// ---- Plane ----

QvGeVector3d QvDbHatch::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbHatch::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength() || !std::isfinite(normal.length())) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

double QvDbHatch::elevation() const {
  assertReadEnabled();
  return elevation_;
}

Vexa::ErrorStatus QvDbHatch::setElevation(double elevation) {
  if (!std::isfinite(elevation)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  elevation_ = elevation;
  return Vexa::eOk;
}

QvGeMatrix3d QvDbHatch::planeToWorld() const {
  assertReadEnabled();
  return QvGeMatrix3d::planeToWorld(normal_) *
         QvGeMatrix3d::translation(QvGeVector3d(0.0, 0.0, elevation_));
}

QvGeMatrix3d QvDbHatch::worldToPlane() const {
  assertReadEnabled();
  return QvGeMatrix3d::translation(QvGeVector3d(0.0, 0.0, -elevation_)) *
         QvGeMatrix3d::worldToPlane(normal_);
}

// ---- Fill ----

bool QvDbHatch::isSolidFill() const {
  assertReadEnabled();
  return solidFill_;
}

QvDbHatch::HatchPatternType QvDbHatch::patternType() const {
  assertReadEnabled();
  return patternType_;
}

QvString QvDbHatch::patternName() const {
  assertReadEnabled();
  return patternName_;
}

Vexa::ErrorStatus QvDbHatch::setPattern(HatchPatternType type, const wchar_t* name) {
  if (!name || !*name || type < kUserDefined || type > kCustomDefined) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  patternType_ = type;
  patternName_ = name;
  solidFill_ = type == kPreDefined && patternName_.compareNoCase(L"SOLID") == 0;
  if (solidFill_) {
    gradient_.reset();
    patternLines_.clear();
  }
  changed();
  return Vexa::eOk;
}

double QvDbHatch::patternAngle() const {
  assertReadEnabled();
  return patternAngle_;
}

Vexa::ErrorStatus QvDbHatch::setPatternAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const QvGeMatrix2d turn = QvGeMatrix2d::rotation(angle - patternAngle_);
  for (QvDbHatchPatternLine& line : patternLines_) {
    line.angle += angle - patternAngle_;
    line.base.transformBy(turn);
    line.offset.transformBy(turn);
  }
  patternAngle_ = angle;
  return Vexa::eOk;
}

double QvDbHatch::patternScale() const {
  assertReadEnabled();
  return patternScale_;
}

Vexa::ErrorStatus QvDbHatch::setPatternScale(double scale) {
  if (!(scale > 0.0) || !std::isfinite(scale)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const double factor = scale / patternScale_;
  for (QvDbHatchPatternLine& line : patternLines_) {
    line.base = QvGePoint2d::kOrigin + line.base.asVector() * factor;
    line.offset *= factor;
    for (double& dash : line.dashes) dash *= factor;
  }
  patternScale_ = scale;
  return Vexa::eOk;
}

bool QvDbHatch::patternDouble() const {
  assertReadEnabled();
  return patternDouble_;
}

Vexa::ErrorStatus QvDbHatch::setPatternDouble(bool isDouble) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  patternDouble_ = isDouble;
  return Vexa::eOk;
}

int QvDbHatch::numPatternDefinitions() const {
  assertReadEnabled();
  return static_cast<int>(patternLines_.size());
}

Vexa::ErrorStatus QvDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX,
                                                    double& baseY, double& offsetX, double& offsetY,
                                                    QvGeDoubleArray& dashes) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= static_cast<int>(patternLines_.size())) return Vexa::eInvalidIndex;
  const QvDbHatchPatternLine& line = patternLines_[static_cast<size_t>(index)];
  angle = line.angle;
  baseX = line.base.x;
  baseY = line.base.y;
  offsetX = line.offset.x;
  offsetY = line.offset.y;
  dashes = line.dashes;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::setPatternDefinitions(const QvArray<QvDbHatchPatternLine>& lines) {
  for (const QvDbHatchPatternLine& line : lines) {
    if (!std::isfinite(line.angle) || !isFinite(line.base) || line.offset.isZeroLength() ||
        !std::isfinite(line.offset.length()))
      return Vexa::eInvalidInput;
    for (const double dash : line.dashes)
      if (!std::isfinite(dash)) return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  patternLines_.assign(lines.begin(), lines.end());
  return Vexa::eOk;
}

QvDbHatch::HatchStyle QvDbHatch::hatchStyle() const {
  assertReadEnabled();
  return style_;
}

Vexa::ErrorStatus QvDbHatch::setHatchStyle(HatchStyle style) {
  if (style < kNormal || style > kIgnore) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  style_ = style;
  return Vexa::eOk;
}

bool QvDbHatch::isGradient() const {
  assertReadEnabled();
  return gradient_ != nullptr;
}

Vexa::ErrorStatus QvDbHatch::getGradient(QvDbHatchGradient& gradient) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!gradient_) return Vexa::eNotApplicable;
  gradient = *gradient_;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::setGradient(const QvDbHatchGradient& gradient) {
  if (!std::isfinite(gradient.angle) || !std::isfinite(gradient.shift) ||
      !std::isfinite(gradient.tint))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  gradient_ = std::make_unique<QvDbHatchGradient>(gradient);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::removeGradient() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  gradient_.reset();
  return Vexa::eOk;
}

double QvDbHatch::pixelSize() const {
  assertReadEnabled();
  return pixelSize_;
}

Vexa::ErrorStatus QvDbHatch::setPixelSize(double size) {
  if (!(size >= 0.0) || !std::isfinite(size)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  pixelSize_ = size;
  return Vexa::eOk;
}

// ---- Loops ----

const QvDbHatch::Loop* QvDbHatch::loopAt(int loopIndex) const {
  if (loopIndex < 0 || loopIndex >= static_cast<int>(loops_.size())) return nullptr;
  return &loops_[static_cast<size_t>(loopIndex)];
}

int QvDbHatch::numLoops() const {
  assertReadEnabled();
  return static_cast<int>(loops_.size());
}

int QvDbHatch::loopTypeAt(int loopIndex) const {
  assertReadEnabled();
  const Loop* loop = loopAt(loopIndex);
  return loop ? loop->type : 0;
}

Vexa::ErrorStatus QvDbHatch::getLoopAt(int loopIndex, int& loopType, QvGePoint2dArray& vertices,
                                       QvGeDoubleArray& bulges) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const Loop* loop = loopAt(loopIndex);
  if (!loop) return Vexa::eInvalidIndex;
  QvGePoint2dArray points;
  QvGeDoubleArray factors;
  if (loop->isPolyline()) {
    appendAll(points, loop->vertices);
    appendAll(factors, loop->bulges);
  } else {
    for (const HatchEdge& edge : loop->edges) {
      if (edge->type() == QvGe::kLineSeg2d) {
        const auto& line = static_cast<const QvGeLineSeg2d&>(*edge);
        points.append(line.startPoint());
        factors.append(0.0);
      } else if (edge->type() == QvGe::kCircArc2d) {
        const auto& arc = static_cast<const QvGeCircArc2d&>(*edge);
        const double bulge = std::tan((arc.endAng() - arc.startAng()) / 4.0);
        points.append(arc.startPoint());
        factors.append(arc.isClockWise() ? -bulge : bulge);
      } else {
        return Vexa::eNotApplicable;
      }
    }
  }
  loopType = loop->type;
  vertices = std::move(points);
  bulges = std::move(factors);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getLoopAt(int loopIndex, int& loopType, QvArray<QvGeCurve2d*>& edges,
                                       QvGeIntArray& edgeTypes) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const Loop* loop = loopAt(loopIndex);
  if (!loop) return Vexa::eInvalidIndex;
  loopType = loop->type;
  for (const HatchEdge& edge : loop->boundary()) {
    edges.append(edge->copy());
    edgeTypes.append(edgeTypeOf(*edge));
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::insertLoop(int loopIndex, Loop&& loop) {
  if (loopIndex < 0 || loopIndex > static_cast<int>(loops_.size())) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  loops_.insert(loops_.begin() + loopIndex, std::move(loop));
  changed();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::appendLoop(int loopType, const QvGePoint2dArray& vertices,
                                        const QvGeDoubleArray& bulges) {
  return insertLoopAt(static_cast<int>(loops_.size()), loopType, vertices, bulges);
}

Vexa::ErrorStatus QvDbHatch::appendLoop(int loopType, const QvArray<QvGeCurve2d*>& edges,
                                        const QvGeIntArray& edgeTypes) {
  return insertLoopAt(static_cast<int>(loops_.size()), loopType, edges, edgeTypes);
}

Vexa::ErrorStatus QvDbHatch::insertLoopAt(int loopIndex, int loopType,
                                          const QvGePoint2dArray& vertices,
                                          const QvGeDoubleArray& bulges) {
  if (vertices.length() < 2 || (bulges.length() != 0 && bulges.length() != vertices.length()))
    return Vexa::eInvalidInput;
  Loop loop;
  loop.type = loopType | kPolyline;
  for (const QvGePoint2d& p : vertices) {
    if (!isFinite(p)) return Vexa::eInvalidInput;
    loop.vertices.push_back(p);
  }
  for (const double b : bulges) {
    if (!std::isfinite(b)) return Vexa::eInvalidInput;
    loop.bulges.push_back(b);
  }
  loop.bulges.resize(loop.vertices.size(), 0.0);
  return insertLoop(loopIndex, std::move(loop));
}

Vexa::ErrorStatus QvDbHatch::insertLoopAt(int loopIndex, int loopType,
                                          const QvArray<QvGeCurve2d*>& edges,
                                          const QvGeIntArray& edgeTypes) {
  if (edges.isEmpty() || edges.length() != edgeTypes.length()) return Vexa::eInvalidInput;
  Loop loop;
  loop.type = loopType & ~kPolyline;
  for (int i = 0; i < edges.length(); ++i) {
    const QvGeCurve2d* edge = edges[i];
    if (!edge || !edge->isValid() || !edge->isBounded() || edgeTypeOf(*edge) != edgeTypes[i])
      return Vexa::eInvalidInput;
    loop.edges.emplace_back(edge->copy());
    EdgeFit fit;
    if (edge->type() == QvGe::kNurbCurve2d) {
      const auto& nurbs = static_cast<const QvGeNurbCurve2d&>(*edge);
      for (int k = 0; k < nurbs.numFitPoints(); ++k) {
        QvGePoint2d p;
        nurbs.getFitPointAt(k, p);
        fit.points.push_back(p);
      }
      nurbs.getFitTangents(fit.startTangent, fit.endTangent);
    }
    loop.fits.push_back(std::move(fit));
  }
  return insertLoop(loopIndex, std::move(loop));
}

Vexa::ErrorStatus QvDbHatch::removeLoopAt(int loopIndex) {
  if (!loopAt(loopIndex)) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const auto at = loops_.begin() + loopIndex;
  unlinkPending_.insert(unlinkPending_.end(), at->ids.begin(), at->ids.end());
  loops_.erase(at);
  changed();
  return Vexa::eOk;
}

bool QvDbHatch::isLoopPolylineClosed(int loopIndex) const {
  assertReadEnabled();
  const Loop* loop = loopAt(loopIndex);
  return loop && loop->closed;
}

Vexa::ErrorStatus QvDbHatch::setLoopPolylineClosed(int loopIndex, bool closed) {
  if (!loopAt(loopIndex)) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  loops_[static_cast<size_t>(loopIndex)].closed = closed;
  changed();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getEdgeFitData(int loopIndex, int edgeIndex,
                                            QvGePoint2dArray& fitPoints, QvGeVector2d& startTangent,
                                            QvGeVector2d& endTangent) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const Loop* loop = loopAt(loopIndex);
  if (!loop || edgeIndex < 0 || edgeIndex >= static_cast<int>(loop->edges.size()))
    return Vexa::eInvalidIndex;
  const size_t k = static_cast<size_t>(edgeIndex);
  if (loop->edges[k]->type() != QvGe::kNurbCurve2d) return Vexa::eNotApplicable;
  fitPoints.removeAll();
  appendAll(fitPoints, loop->fits[k].points);
  startTangent = loop->fits[k].startTangent;
  endTangent = loop->fits[k].endTangent;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::setEdgeFitData(int loopIndex, int edgeIndex,
                                            const QvGePoint2dArray& fitPoints,
                                            const QvGeVector2d& startTangent,
                                            const QvGeVector2d& endTangent) {
  const Loop* loop = loopAt(loopIndex);
  if (!loop || edgeIndex < 0 || edgeIndex >= static_cast<int>(loop->edges.size()))
    return Vexa::eInvalidIndex;
  const size_t k = static_cast<size_t>(edgeIndex);
  if (loop->edges[k]->type() != QvGe::kNurbCurve2d) return Vexa::eNotApplicable;
  for (const QvGePoint2d& p : fitPoints)
    if (!isFinite(p)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  EdgeFit& fit = loops_[static_cast<size_t>(loopIndex)].fits[k];
  fit.points.assign(fitPoints.begin(), fitPoints.end());
  fit.startTangent = startTangent;
  fit.endTangent = endTangent;
  return Vexa::eOk;
}

// ---- Associativity ----

bool QvDbHatch::associative() const {
  assertReadEnabled();
  return associative_;
}

Vexa::ErrorStatus QvDbHatch::setAssociative(bool isAssociative) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  associative_ = isAssociative;
  if (!isAssociative) {
    for (Loop& loop : loops_) {
      unlinkPending_.insert(unlinkPending_.end(), loop.ids.begin(), loop.ids.end());
      loop.ids.clear();
    }
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getAssocObjIdsAt(int loopIndex, QvDbObjectIdArray& ids) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const Loop* loop = loopAt(loopIndex);
  if (!loop) return Vexa::eInvalidIndex;
  ids.removeAll();
  appendAll(ids, loop->ids);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getAssocObjIds(QvDbObjectIdArray& ids) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  ids.removeAll();
  for (const Loop& loop : loops_)
    for (const QvDbObjectId& id : loop.ids)
      if (!ids.contains(id)) ids.append(id);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::setHatchAssocObjIdsAt(int loopIndex, const QvDbObjectIdArray& ids) {
  if (!loopAt(loopIndex)) return Vexa::eInvalidIndex;
  if (!associative()) return Vexa::eNotApplicable;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  Loop& loop = loops_[static_cast<size_t>(loopIndex)];
  unlinkPending_.insert(unlinkPending_.end(), loop.ids.begin(), loop.ids.end());
  loop.ids.clear();
  for (const QvDbObjectId& id : ids)
    if (!id.isNull() && id != objectId() &&
        std::find(loop.ids.begin(), loop.ids.end(), id) == loop.ids.end())
      loop.ids.push_back(id);
  return Vexa::eOk;
}

void QvDbHatch::subClose() {
  const QvDbObjectId self = objectId();
  if (self.isNull()) return;
  std::vector<QvDbObjectId> wanted;
  for (const Loop& loop : loops_)
    for (const QvDbObjectId& id : loop.ids)
      if (std::find(wanted.begin(), wanted.end(), id) == wanted.end()) wanted.push_back(id);
  for (const QvDbObjectId& id : wanted) {
    {
      QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead);
      if (object.openStatus() != Vexa::eOk || object->hasPersistentReactor(self)) continue;
    }
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    if (object.openStatus() == Vexa::eOk) object->addPersistentReactor(self);
  }
  std::vector<QvDbObjectId> waiting;
  for (const QvDbObjectId& id : unlinkPending_) {
    if (std::find(wanted.begin(), wanted.end(), id) != wanted.end() ||
        std::find(waiting.begin(), waiting.end(), id) != waiting.end())
      continue;
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    if (object.openStatus() == Vexa::eOk)
      object->removePersistentReactor(self);
    else if (object.openStatus() != Vexa::eWasErased)
      waiting.push_back(id);  // open elsewhere: at a later close
  }
  unlinkPending_ = std::move(waiting);
}

void QvDbHatch::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  for (Loop& loop : loops_)
    for (QvDbObjectId& id : loop.ids) visitor.visit(id, QvDbIdVisitor::kSoftPointer);
}

// ---- Seed points ----

int QvDbHatch::numSeedPoints() const {
  assertReadEnabled();
  return static_cast<int>(seeds_.size());
}

Vexa::ErrorStatus QvDbHatch::getHatchSeedPoints(QvGePoint2dArray& points) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  points.removeAll();
  appendAll(points, seeds_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::setHatchSeedPoints(const QvGePoint2dArray& points) {
  for (const QvGePoint2d& p : points)
    if (!isFinite(p)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  seeds_.assign(points.begin(), points.end());
  return Vexa::eOk;
}

// ---- Evaluation ----

const HatchEvaluation& QvDbHatch::evaluation() const {
  if (!evaluation_) {
    std::vector<std::vector<HatchEdge>> boundary;
    for (const Loop& loop : loops_) boundary.push_back(loop.boundary());
    evaluation_ =
        std::make_shared<const HatchEvaluation>(qvdb_detail::evaluateHatchLoops(std::move(boundary)));
  }
  return *evaluation_;
}

Vexa::ErrorStatus QvDbHatch::evaluateHatch(bool) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(false, false); es != Vexa::eOk) return es;
  changed();
  return evaluation().status;
}

int QvDbHatch::numEvaluatedLoops() const {
  assertReadEnabled();
  return static_cast<int>(evaluation().loops.size());
}

Vexa::ErrorStatus QvDbHatch::getEvaluatedLoopAt(int loopIndex, QvArray<QvGeCurve2d*>& edges) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const HatchEvaluation& e = evaluation();
  if (loopIndex < 0 || loopIndex >= static_cast<int>(e.loops.size())) return Vexa::eInvalidIndex;
  for (const HatchEdge& edge : e.loops[static_cast<size_t>(loopIndex)].edges)
    edges.append(edge->copy());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (loops_.empty()) return Vexa::eInvalidInput;
  area = evaluation().area;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::getPerimeter(double& perimeter) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  perimeter = 0.0;
  for (const HatchEvaluation::Loop& loop : evaluation().loops) perimeter += loop.length;
  return Vexa::eOk;
}

// ---- Entity hooks ----

Vexa::ErrorStatus QvDbHatch::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d newNormal;
  double newElevation = 0.0;
  QvGeMatrix2d map;
  if (!planeMap(xform, planeToWorld(), newNormal, newElevation, map)) return Vexa::eNotApplicable;
  std::vector<Loop> loops = loops_;
  for (Loop& loop : loops) {
    for (QvGePoint2d& p : loop.vertices) p.transformBy(map);
    for (HatchEdge& edge : loop.edges) {
      std::shared_ptr<QvGeCurve2d> moved(edge->copy());
      if (moved->transformBy(map) != Vexa::eOk) return Vexa::eNotApplicable;
      edge = std::move(moved);
    }
    for (EdgeFit& fit : loop.fits) {
      for (QvGePoint2d& p : fit.points) p.transformBy(map);
      fit.startTangent = linearPart(fit.startTangent, map);
      fit.endTangent = linearPart(fit.endTangent, map);
    }
  }
  const double scale = std::sqrt(map.det());
  const double turn = std::atan2(map.entry[1][0], map.entry[0][0]);
  for (QvDbHatchPatternLine& line : patternLines_) {
    line.angle += turn;
    line.base.transformBy(map);
    line.offset = linearPart(line.offset, map);
    for (double& dash : line.dashes) dash *= scale;
  }
  for (QvGePoint2d& p : seeds_) p.transformBy(map);
  loops_ = std::move(loops);
  normal_ = newNormal;
  elevation_ = newElevation;
  patternAngle_ += turn;
  patternScale_ *= scale;
  changed();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::subGetGeomExtents(QvDbExtents& extents) const {
  const HatchEvaluation& e = evaluation();
  if (!e.box.isValidExtents()) return Vexa::eInvalidExtents;
  const QvGeMatrix3d toWorld = planeToWorld();
  const QvGePoint2d lo = e.box.minPoint(), hi = e.box.maxPoint();
  const QvGePoint2d corners[4] = {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}};
  QvDbExtents box;
  for (const QvGePoint2d& c : corners)
    box.addPoint(inWorld(toWorld, c));
  extents = box;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::subExplode(QvArray<QvDbEntity*>& pieces) const {
  if (solidFill_ || gradient_) return Vexa::eNotApplicable;
  std::vector<qvdb_detail::PatternDash> dashes;
  if (!qvdb_detail::patternDashes(patternLines_, evaluation(), dashes)) return Vexa::eNotApplicable;
  const QvGeMatrix3d toWorld = planeToWorld();
  auto world = [&](const QvGePoint2d& p) { return inWorld(toWorld, p); };
  for (const qvdb_detail::PatternDash& dash : dashes) {
    QvDbEntity* piece = dash.from.isEqualTo(dash.to)
                            ? static_cast<QvDbEntity*>(new QvDbPoint(world(dash.from)))
                            : new QvDbLine(world(dash.from), world(dash.to));
    piece->setPropertiesFrom(this);
    pieces.append(piece);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  const HatchEvaluation& e = evaluation();
  if (!e.box.isValidExtents()) return Vexa::eOk;
  const QvGePoint2d c = e.box.minPoint() + (e.box.maxPoint() - e.box.minPoint()) * 0.5;
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(inWorld(planeToWorld(), c), QvDb::kOsModeCen);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  plane.set(QvGePoint3d::kOrigin + normal_ * elevation_, normal_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatch::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  const QvGeMatrix3d toWorld = planeToWorld();
  for (const HatchEvaluation::Loop& loop : evaluation().loops)
    for (const HatchEdge& edge : loop.edges)
      if (QvGeCurve3d* curve = qvdb_detail::planeCurveInWorld(*edge, toWorld)) curves.append(curve);
  return Vexa::eOk;
}

bool QvDbHatch::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  const HatchEvaluation& e = evaluation();
  const QvGeMatrix3d toWorld = planeToWorld();
  auto world = [&](const QvGePoint2d& p) { return inWorld(toWorld, p); };
  QvGiGeometry& geometry = wd->geometry();
  std::vector<qvdb_detail::PatternDash> dashes;
  const bool pattern = !solidFill_ && !gradient_;
  if (pattern && !patternLines_.empty() &&
      qvdb_detail::patternDashes(patternLines_, e, dashes)) {
    for (const qvdb_detail::PatternDash& dash : dashes) {
      const QvGePoint3d ends[2] = {world(dash.from), world(dash.to)};
      geometry.polyline(dash.from.isEqualTo(dash.to) ? 1 : 2, ends, &normal_);
    }
    return true;
  }
  std::vector<QvGePoint3d> points;
  std::vector<int> counts;
  for (const HatchEvaluation::Loop& loop : e.loops) {
    if (loop.ring.size() < 3) continue;
    counts.push_back(static_cast<int>(loop.ring.size()));
    for (const QvGePoint2d& p : loop.ring) points.push_back(world(p));
  }
  if (counts.empty()) return true;
  if (pattern) {
    // A pattern without lines (or too dense to draw) shows its boundary.
    const QvGePoint3d* next = points.data();
    for (const int n : counts) {
      std::vector<QvGePoint3d> ring(next, next + n);
      ring.push_back(ring.front());
      geometry.polyline(static_cast<int>(ring.size()), ring.data(), &normal_);
      next += n;
    }
    return true;
  }
  geometry.polyPolygon(static_cast<int>(counts.size()), counts.data(), points.data());
  return true;
}
