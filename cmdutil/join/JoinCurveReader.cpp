#include "cmdutil/join/JoinCurveReader.h"

#include <cmath>
#include <memory>

#include "cmdutil/join/JoinPlane.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "xqcmdutil/CombineHelper.h"

namespace {

bool isFinite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Sets the plane of `out` from a curve's normal; false for a zero or non-finite normal.
// `flipped` tells whether bulges about the curve's normal change sign in that plane.
bool setPlane(const QvGeVector3d& normal, JoinCurveSegments& out, bool& flipped) {
  if (!std::isfinite(normal.x) || !std::isfinite(normal.y) || !std::isfinite(normal.z) ||
      normal.isZeroLength())
    return false;
  out.normal = JoinPlane(normal, flipped).normal();
  return true;
}

JoinCurveUse fromLine(const QvDbLine& line, JoinCurveSegments& out) {
  bool flipped = false;
  if (!setPlane(line.normal(), out, flipped)) return JoinCurveUse::kIgnored;
  const QvGePoint3d start = line.startPoint();
  const QvGePoint3d end = line.endPoint();
  // A line that climbs out of the plane of its normal has no place in a polyline.
  const double rise = (end - start).dotProduct(out.normal);
  if (!(std::fabs(rise) <= QvDbCurve::pointTolerance(end))) return JoinCurveUse::kIgnored;
  out.segments.push_back({start, end, 0.0});
  return JoinCurveUse::kSegments;
}

JoinCurveUse fromArc(const QvDbArc& arc, JoinCurveSegments& out) {
  if (arc.startAngle() == arc.endAngle()) return JoinCurveUse::kCopy;  // a whole turn
  bool flipped = false;
  if (!setPlane(arc.normal(), out, flipped)) return JoinCurveUse::kIgnored;
  JoinSegment segment;
  if (arc.getStartPoint(segment.start) != Vexa::eOk || arc.getEndPoint(segment.end) != Vexa::eOk)
    return JoinCurveUse::kIgnored;
  const double bulge = joinArcBulge(arc);
  segment.bulge = flipped ? -bulge : bulge;
  out.segments.push_back(segment);
  return JoinCurveUse::kSegments;
}

JoinCurveUse fromPolyline(const QvDbPolyline& polyline, JoinCurveSegments& out) {
  const unsigned int count = polyline.numVerts();
  if (count < 2) return JoinCurveUse::kIgnored;
  bool flipped = false;
  if (!setPlane(polyline.normal(), out, flipped)) return JoinCurveUse::kIgnored;
  const bool closed = polyline.isClosed();
  out.segments.reserve(closed ? count : count - 1);
  QvGePoint3d first, previous;
  double previousBulge = 0.0;
  for (unsigned int i = 0; i < count; ++i) {
    QvGePoint3d point;
    double bulge = 0.0;
    if (polyline.getPointAt(i, point) != Vexa::eOk || polyline.getBulgeAt(i, bulge) != Vexa::eOk)
      return JoinCurveUse::kIgnored;
    if (flipped) bulge = -bulge;
    if (i == 0)
      first = point;
    else
      out.segments.push_back({previous, point, previousBulge});
    previous = point;
    previousBulge = bulge;
  }
  // The closing segment leaves the last vertex with its bulge.
  if (closed) out.segments.push_back({previous, first, previousBulge});
  return JoinCurveUse::kSegments;
}

JoinCurveUse read(const QvDbCurve* curve, JoinCurveSegments& out) {
  if (!curve) return JoinCurveUse::kIgnored;
  // The classes themselves first: none of them derives from one that comes before it.
  const QvRxClass* kind = curve->isA();
  if (kind == QvDbLine::desc()) return fromLine(*static_cast<const QvDbLine*>(curve), out);
  if (kind == QvDbArc::desc()) return fromArc(*static_cast<const QvDbArc*>(curve), out);
  if (kind == QvDbPolyline::desc())
    return fromPolyline(*static_cast<const QvDbPolyline*>(curve), out);
  if (curve->isKindOf(QvDbSpline::desc()) || curve->isKindOf(QvDbEllipse::desc())) {
    const std::unique_ptr<QvDbPolyline> approximation(CombineHelper::approximateByPolyline(curve));
    return approximation ? fromPolyline(*approximation, out) : JoinCurveUse::kIgnored;
  }
  if (const QvDbArc* arc = QvDbArc::cast(curve)) return fromArc(*arc, out);
  if (const QvDbLine* line = QvDbLine::cast(curve)) return fromLine(*line, out);
  if (curve->isKindOf(QvDbCircle::desc())) return JoinCurveUse::kCopy;
  if (const QvDbPolyline* polyline = QvDbPolyline::cast(curve)) return fromPolyline(*polyline, out);
  return JoinCurveUse::kIgnored;
}

}  // namespace

double joinArcBulge(const QvDbArc& arc) {
  double sweep = arc.endAngle() - arc.startAngle();
  if (sweep < 0.0) sweep += CombineHelper::m_cPI2;
  return std::tan(sweep / 4.0);
}

JoinCurveUse readJoinCurve(const QvDbCurve* curve, JoinCurveSegments& out) {
  out.segments.clear();
  const JoinCurveUse use = read(curve, out);
  if (use != JoinCurveUse::kSegments) {
    out.segments.clear();
    return use;
  }
  // Nothing non-finite reaches the output: such a curve is left alone.
  for (const JoinSegment& segment : out.segments) {
    if (!isFinite(segment.start) || !isFinite(segment.end) || !std::isfinite(segment.bulge)) {
      out.segments.clear();
      return JoinCurveUse::kIgnored;
    }
  }
  return JoinCurveUse::kSegments;
}
