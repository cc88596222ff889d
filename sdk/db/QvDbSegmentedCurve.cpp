#include "sdk/db/QvDbSegmentedCurve.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiSubEntityTraits.h"
#include "sdk/gi/QvGiWorldDraw.h"

using qvdb_detail::ChainSegment;
using qvdb_detail::ChainVertex;
using qvdb_detail::SegmentChain;

Vexa::ErrorStatus QvDbSegmentedCurve::getStartParam(double& param) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0) return Vexa::eInvalidInput;
    param = 0.0;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getEndParam(double& param) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0) return Vexa::eInvalidInput;
    param = chain.endParam();
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getStartPoint(QvGePoint3d& point) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0) return Vexa::eInvalidInput;
    point = chain.vertexAt(0);
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getEndPoint(QvGePoint3d& point) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0) return Vexa::eInvalidInput;
    point = chain.isClosed() ? chain.vertexAt(0) : chain.vertexAt(chain.numVertices() - 1);
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getPointAtParam(double param, QvGePoint3d& point) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0 || !chain.containsParam(param)) return Vexa::eInvalidInput;
    point = chain.pointAt(param);
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getParamAtPoint(const QvGePoint3d& point,
                                                      double& param) const {
  return withChain([&](const SegmentChain& chain) {
    return chain.paramOf(point, pointTolerance(point), param) ? Vexa::eOk : Vexa::eInvalidInput;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getDistAtParam(double param, double& dist) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0 || !chain.containsParam(param)) return Vexa::eInvalidInput;
    dist = chain.distAt(std::clamp(param, 0.0, chain.endParam()));
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getParamAtDist(double dist, double& param) const {
  return withChain([&](const SegmentChain& chain) {
    return chain.paramAtDist(dist, param) ? Vexa::eOk : Vexa::eInvalidInput;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getFirstDeriv(double param, QvGeVector3d& firstDeriv) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numSegments() == 0 || !chain.containsParam(param)) return Vexa::eInvalidInput;
    QvGePoint3d point;
    chain.evaluate(param, 1, point, &firstDeriv);
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getSecondDeriv(double param,
                                                     QvGeVector3d& secondDeriv) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numSegments() == 0 || !chain.containsParam(param)) return Vexa::eInvalidInput;
    QvGePoint3d point;
    QvGeVector3d derivs[2];
    chain.evaluate(param, 2, point, derivs);
    secondDeriv = derivs[1];
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getClosestPointTo(const QvGePoint3d& givenPoint,
                                                        QvGePoint3d& pointOnCurve,
                                                        bool extend) const {
  return withChain([&](const SegmentChain& chain) {
    if (chain.numVertices() == 0) return Vexa::eInvalidInput;
    double param = 0.0;
    pointOnCurve = chain.closestPointTo(givenPoint, extend, param);
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getClosestPointTo(const QvGePoint3d& givenPoint,
                                                        const QvGeVector3d& direction,
                                                        QvGePoint3d& pointOnCurve,
                                                        bool extend) const {
  return withChain([&](const SegmentChain& chain) {
    return chain.projClosestPointTo(givenPoint, direction, extend, pointOnCurve)
               ? Vexa::eOk
               : Vexa::eInvalidInput;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getProjectedCurve(const QvGePlane& plane,
                                                        const QvGeVector3d& projDir,
                                                        QvDbCurve*& projCurve) const {
  return withChain([&](const SegmentChain& chain) {
    if (!plane.isValid() || projDir.isZeroLength() || projDir.isPerpendicularTo(plane.normal()) ||
        chain.numVertices() == 0)
      return Vexa::eInvalidInput;
    const bool parallel = chain.normal().isParallelTo(plane.normal());
    std::vector<ChainVertex> vertices = chain.vertices();
    for (size_t i = 0; i < vertices.size(); ++i) {
      if (!parallel && vertices[i].bulge != 0.0) return Vexa::eNotApplicable;
      QvGePoint3d image;
      if (!chain.vertexAt(static_cast<int>(i)).project(plane, projDir, image))
        return Vexa::eInvalidInput;
      vertices[i].point = image;
    }
    QvDbCurve* result = newPiece(vertices, isClosed(), parallel ? chain.normal() : plane.normal());
    if (!result) return Vexa::eNotApplicable;
    result->setPropertiesFrom(this);
    projCurve = result;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::getSplitCurves(const QvGeDoubleArray& params,
                                                     QvArray<QvDbEntity*>& curveSegments) const {
  return withChain([&](const SegmentChain& chain) {
    if (params.isEmpty() || chain.numSegments() == 0) return Vexa::eInvalidInput;
    const double end = chain.endParam();
    const double tol = qvdb_detail::paramTolerance(0.0, end);
    std::vector<double> cuts;
    for (int i = 0; i < params.length(); ++i) {
      if (!chain.containsParam(params[i])) return Vexa::eInvalidInput;
      double p = std::clamp(params[i], 0.0, end);
      if (chain.isClosed() && p >= end - tol) p = 0.0;  // the seam
      if (!chain.isClosed() && (p <= tol || p >= end - tol)) continue;
      cuts.push_back(p);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(
        std::unique(cuts.begin(), cuts.end(), [tol](double a, double b) { return b - a <= tol; }),
        cuts.end());
    // The parts in parameter ranges; a closed chain cut nowhere stays whole.
    std::vector<std::pair<double, double>> ranges;
    bool wholeClosed = false;
    if (chain.isClosed()) {
      if (cuts.empty()) wholeClosed = true;
      for (size_t i = 0; i < cuts.size(); ++i)
        ranges.emplace_back(cuts[i], i + 1 < cuts.size() ? cuts[i + 1] : cuts[0] + end);
    } else {
      double from = 0.0;
      for (double c : cuts) {
        ranges.emplace_back(from, c);
        from = c;
      }
      ranges.emplace_back(from, end);
    }
    if (wholeClosed) ranges.emplace_back(0.0, end);
    QvArray<QvDbCurve*> pieces;
    for (const auto& [from, to] : ranges) {
      std::vector<ChainVertex> vertices = chain.piece(from, to);
      if (wholeClosed) vertices.pop_back();  // the seam vertex is the first one again
      for (ChainVertex& v : vertices) v.point = chain.worldPoint(v.point);
      pieces.append(newPiece(vertices, wholeClosed, chain.normal()));
    }
    return adoptPieces(pieces, curveSegments) ? Vexa::eOk : Vexa::eInvalidInput;
  });
}

Vexa::ErrorStatus QvDbSegmentedCurve::extend(double newParam) {
  SegmentChain::EndChange change;
  const Vexa::ErrorStatus es = withChain(
      [&](const SegmentChain& chain) { return chain.extensionToParam(newParam, change); });
  if (es != Vexa::eOk) return es;
  return applyEndChange(change);
}

Vexa::ErrorStatus QvDbSegmentedCurve::extend(bool extendStart, const QvGePoint3d& toPoint) {
  SegmentChain::EndChange change;
  const Vexa::ErrorStatus es = withChain([&](const SegmentChain& chain) {
    return chain.extensionToPoint(extendStart, toPoint, pointTolerance(toPoint), change);
  });
  if (es != Vexa::eOk) return es;
  return applyEndChange(change);
}

Vexa::ErrorStatus QvDbSegmentedCurve::getArea(double& area) const {
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (const Vexa::ErrorStatus es = getPlane(plane, planarity); es != Vexa::eOk) return es;
  if (planarity == QvDb::kNonPlanar) return Vexa::eNotApplicable;
  return withChain([&](const SegmentChain& chain) {
    area = planarity == QvDb::kLinear ? 0.0 : std::fabs(chain.signedArea());
    return Vexa::eOk;
  });
}

double QvDbSegmentedCurve::length() const {
  double result = 0.0;
  withChain([&](const SegmentChain& chain) {
    result = chain.length();
    return Vexa::eOk;
  });
  return result;
}

QvGeCurve3d* QvDbSegmentedCurve::newGeCurve(bool) const {
  QvGeCurve3d* result = nullptr;
  withChain([&](const SegmentChain& chain) {
    QvArray<QvGeCurve3d*> pieces;
    ChainSegment seg;
    for (int i = 0; i < chain.numSegments(); ++i) {
      if (!chain.segmentAt(i, seg)) continue;
      if (seg.isArc || seg.line.length() > 0.0) pieces.append(seg.curve().copy());
    }
    if (!pieces.isEmpty()) {
      auto* composite = new QvGeCompositeCurve3d(pieces);
      if (composite->isValid())
        result = composite;
      else
        delete composite;
    }
    for (int i = 0; i < pieces.length(); ++i) delete pieces[i];
    return Vexa::eOk;
  });
  return result;
}

Vexa::ErrorStatus QvDbSegmentedCurve::subGetGeomExtents(QvDbExtents& extents) const {
  std::vector<ChainVertex> scratch;
  const SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(), chainNormal());
  const QvGeExtents3d box = chain.extents();
  if (!box.isValidExtents()) return Vexa::eInvalidExtents;
  extents = QvDbExtents(box);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSegmentedCurve::subGetPlane(QvGePlane& plane,
                                                  QvDb::Planarity& planarity) const {
  QvGePoint3d origin;
  origin.transformBy(chainToWorld());
  plane.set(origin, chainNormal());
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSegmentedCurve::subGetOutlineCurves(bool extended,
                                                          QvArray<QvGeCurve3d*>& curves) const {
  std::vector<ChainVertex> scratch;
  const SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(), chainNormal());
  chain.outlineCurves(extended, curves);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSegmentedCurve::subExplode(QvArray<QvDbEntity*>& entitySet) const {
  std::vector<ChainVertex> scratch;
  const SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(), chainNormal());
  const QvGeVector3d normal = chain.normal();
  ChainSegment seg;
  for (int i = 0; i < chain.numSegments(); ++i) {
    if (!chain.segmentAt(i, seg)) continue;
    QvDbEntity* piece = nullptr;
    if (seg.isArc) {
      piece = qvdb_detail::curveFromGe(seg.arc, &normal);
    } else if (seg.line.length() > 0.0) {
      auto* line = new QvDbLine(seg.line.startPoint(), seg.line.endPoint());
      line->setNormal(normal);
      piece = line;
    }
    if (!piece) continue;
    piece->setPropertiesFrom(this);
    entitySet.append(piece);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSegmentedCurve::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                       QvDbIntArray& osnapModes,
                                                       QvDbIntArray& geomIds) const {
  std::vector<ChainVertex> scratch;
  const SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(), chainNormal());
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (int i = 0; i < chain.numVertices(); ++i) grips.add(chain.vertexAt(i), QvDb::kOsModeEnd);
  return Vexa::eOk;
}

bool QvDbSegmentedCurve::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  std::vector<ChainVertex> scratch;
  const SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(), chainNormal());
  const QvGeVector3d normal = chain.normal();
  ChainSegment seg;
  for (int i = 0; i < chain.numSegments(); ++i) {
    if (!chain.segmentAt(i, seg)) continue;
    wd->subEntityTraits().setSelectionMarker(segmentMarker(i));
    if (seg.isArc) {
      wd->geometry().circularArc(seg.arc.center(), seg.arc.radius(), seg.arc.normal(),
                                 seg.arc.refVec(), seg.span());
    } else {
      const QvGePoint3d points[2] = {seg.line.startPoint(), seg.line.endPoint()};
      wd->geometry().polyline(2, points, &normal);
    }
  }
  if (chain.numSegments() == 0 && chain.numVertices() == 1) {
    const QvGePoint3d point = chain.vertexAt(0);
    wd->geometry().polyline(1, &point);
  }
  wd->subEntityTraits().setSelectionMarker(0);
  return true;
}
