// XqDbUtil: lightweight polylines from 2D polylines, and parameters at a point of a polyline.
#include <algorithm>
#include <cmath>
#include <vector>

#include "cmdutil/geometry/XqVertexWalk.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbPolylineImp.h"
#include "sdk/db/qvdbCalDynamicTol.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeInterval.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeTol.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqNumericPrimitives.h"

namespace {

// Bulges and width differences at most this large count as none.
constexpr double kNegligible = 1e-10;
// A fraction of a segment this close to its start or end is taken as exactly there.
constexpr double kFractionSnap = 1e-6;
// The seed of the dynamic point tolerance, and the tolerance of a segment's parameter interval.
constexpr double kToleranceSeed = 1e-6;
constexpr double kIntervalTolerance = 1e-12;

// What a lightweight polyline keeps of one 2D vertex.
struct VertexRecord {
  QvGePoint2d point;  // OCS x and y
  double bulge;
  double startWidth;
  double endWidth;
  int identifier;
};

// What the vertices need of the target beyond points: bulges, per-vertex widths or one
// constant width, identifiers.
struct VertexSummary {
  bool hasBulges = false;
  bool hasIdentifiers = false;
  bool constantWidth = true;
  double width = -1.0;

  void add(const VertexRecord& vertex) {
    if (std::fabs(vertex.bulge) > kNegligible) hasBulges = true;
    if (vertex.identifier != 0) hasIdentifiers = true;
    if (width < 0.0) width = vertex.startWidth;
    if (std::fabs(vertex.startWidth - vertex.endWidth) > kNegligible ||
        std::fabs(vertex.startWidth - width) > kNegligible)
      constantWidth = false;
  }
};

// Snapped to the ends (kFractionSnap), so that a point at a vertex gives the same parameter from
// both segments that meet at it. Arc segments snap too: a joint of an arc and a line would
// otherwise give two parameters a hair apart (i + 0.9999999 and i + 1) for one point.
double snappedFraction(double t) {
  if (IMvexaRealEqual(t, 0.0, kFractionSnap)) return 0.0;
  if (IMvexaRealEqual(t, 1.0, kFractionSnap)) return 1.0;
  return t;
}

// How far along a straight segment a point on it lies: its distance from the start over the
// segment's length. A point that counts as on a segment shorter than the tolerance may lie
// beyond either end; it is taken as at that end, never past it.
double fractionAlong(const QvGeLineSeg3d& segment, const QvGePoint3d& point) {
  const QvGePoint3d start = segment.startPoint();
  const QvGeVector3d along = segment.endPoint() - start;
  if ((point - start).dotProduct(along) <= 0.0) return 0.0;
  return std::min(point.distanceTo(start) / along.length(), 1.0);
}

// Appends `param` unless the very value is there already.
void appendOnce(QvArray<double>& params, double param) {
  if (!params.contains(param)) params.append(param);
}

// The parameters of a point on the segments of a lightweight polyline.
Vexa::ErrorStatus lwPolylineParams(const QvDbPolyline& polyline, const QvGePoint3d& point,
                                   QvArray<double>& params) {
  const int numVerts = static_cast<int>(polyline.numVerts());
  const int numSegments = numVerts - 1 + (polyline.isClosed() ? 1 : 0);
  if (numSegments <= 0) return Vexa::eInvalidInput;

  QvGeTol tol;
  double dynamicTol = kToleranceSeed;
  if (qvdbCalDynamicTol(&polyline, dynamicTol) == Vexa::eOk) tol.setEqualPoint(dynamicTol);

  bool found = false;
  for (int i = 0; i < numSegments; ++i) {
    const auto index = static_cast<unsigned int>(i);
    if (polyline.segType(index) == QvDbPolyline::kLine) {
      QvGeLineSeg3d segment;
      if (polyline.getLineSegAt(index, segment) != Vexa::eOk || !segment.isOn(point, tol)) continue;
      appendOnce(params, i + snappedFraction(fractionAlong(segment, point)));
      found = true;
    } else if (polyline.segType(index) == QvDbPolyline::kArc) {
      QvGeCircArc3d arc;
      if (polyline.getArcSegAt(index, arc) != Vexa::eOk || !arc.isOn(point, tol)) continue;
      const double p = arc.paramOf(point);
      QvGeInterval interval(kIntervalTolerance);
      arc.getInterval(interval);
      appendOnce(params, i + snappedFraction((p - interval.lowerBound()) / interval.length()));
      found = true;
    }
  }
  return found ? Vexa::eOk : Vexa::eInvalidInput;
}

}  // namespace

Vexa::ErrorStatus XqDbUtil::lwPlineFrom2DPline(QvDbCurve* target, const QvDbCurve* source,
                                               bool ignoreVertexXData) {
  if (!target || !source || source->isA() != QvDb2dPolyline::desc() ||
      target->isA() != QvDbPolyline::desc())
    return Vexa::eInvalidInput;
  const auto& polyline2d = static_cast<const QvDb2dPolyline&>(*source);
  auto& polyline = static_cast<QvDbPolyline&>(*target);
  // A target that may not be changed would take none of the changes below.
  if (!polyline.isWriteEnabled()) return Vexa::eNotOpenForWrite;

  std::vector<VertexRecord> vertices;
  VertexSummary summary;
  bool refused = false;
  xqForEachVertex<QvDb2dVertex>(polyline2d, [&](const QvDb2dVertex& vertex) {
    if (vertex.vertexType() == k2dSplineCtlVertex) return true;
    if (!ignoreVertexXData && QvRbListPtr(vertex.xData())) {
      refused = true;
      return false;
    }
    const QvGePoint3d position = vertex.position();
    const VertexRecord record{QvGePoint2d(position.x, position.y), vertex.bulge(),
                              vertex.startWidth(), vertex.endWidth(), vertex.vertexIdentifier()};
    summary.add(record);
    vertices.push_back(record);
    return true;
  });
  if (refused) return Vexa::eNotApplicable;

  // The extended data first, so that a refusal leaves the target as it was. Its applications
  // are registered in the target's database as cloning registers them.
  if (const QvRbListPtr xdata(polyline2d.xData()); xdata) {
    if (QvDbDatabase* db = polyline.database()) {
      for (const resbuf* rb = xdata.get(); rb; rb = rb->next) {
        if (rb->type != kGcXDataAppName || !rb->value.string) continue;
        if (const Vexa::ErrorStatus es = db->registerApplication(rb->value.string); es != Vexa::eOk)
          return es;
      }
    }
    if (const Vexa::ErrorStatus es = polyline.setXData(xdata.get()); es != Vexa::eOk) return es;
  }

  // Every vertex the target had goes: it becomes the copy alone.
  const auto count = static_cast<unsigned int>(vertices.size());
  polyline.reset(false, count);
  polyline.setPropertiesFrom(&polyline2d, true);
  polyline.setClosed(polyline2d.isClosed());
  polyline.setPlinegen(polyline2d.isLinetypeGenerationOn());
  polyline.setElevation(polyline2d.elevation());
  polyline.setThickness(polyline2d.thickness());
  polyline.setNormal(polyline2d.normal());

  for (unsigned int i = 0; i < count; ++i)
    polyline.addVertexAt(i, vertices[i].point, 0.0, -1.0, -1.0, 0);
  if (summary.hasBulges)
    for (unsigned int i = 0; i < count; ++i) polyline.setBulgeAt(i, vertices[i].bulge);
  if (!summary.constantWidth) {
    for (unsigned int i = 0; i < count; ++i)
      polyline.setWidthsAt(i, vertices[i].startWidth, vertices[i].endWidth);
  } else if (summary.width >= 0.0) {
    polyline.setConstantWidth(summary.width);
  }
  if (summary.hasIdentifiers) {
    auto* imp = dynamic_cast<QvDbPolylineImp*>(QvDbSystemInternals::getImpObject(&polyline));
    if (imp)
      for (unsigned int i = 0; i < count; ++i)
        imp->setVertexIdentifierAt(i, vertices[i].identifier);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus XqDbUtil::getParamsAtPoint(const QvDbCurve* curve, const QvGePoint3d& point,
                                             QvArray<double>& params) {
  if (!curve) return Vexa::eInvalidInput;
  if (curve->isA() == QvDbPolyline::desc())
    return lwPolylineParams(static_cast<const QvDbPolyline&>(*curve), point, params);
  if (curve->isA() == QvDb3dPolyline::desc()) {
    double param = 0.0;
    if (curve->getParamAtPoint(point, param) != Vexa::eOk) return Vexa::eInvalidInput;
    appendOnce(params, param);
    return Vexa::eOk;
  }
  return Vexa::eInvalidInput;
}
