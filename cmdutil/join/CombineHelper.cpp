#include "xqcmdutil/CombineHelper.h"

#include <cmath>
#include <memory>

#include "cmdutil/join/JoinChainWalker.h"
#include "cmdutil/join/JoinCurveReader.h"
#include "cmdutil/join/JoinPlane.h"
#include "cmdutil/join/JoinPointIndex.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeContext.h"

double CombineHelper::m_cPI2 = 8.0 * std::atan(1.0);

namespace {

// The number of the first point of `points` equal to `point`, appending it when none is.
int numberInList(std::vector<CombineHelper::PointNum>& points, int& nextNum,
                 const QvGePoint3d& point) {
  for (const CombineHelper::PointNum& known : points) {
    if (known.point.isEqualTo(point)) return known.num;
  }
  points.push_back({point, nextNum});
  return nextNum++;
}

// The polyline of a chain, in the plane of its points.
QvDbPolyline* polylineOf(const std::vector<JoinChainVertex>& chain, const JoinPointIndex& points) {
  if (chain.empty()) return nullptr;
  bool flipped = false;
  const JoinPlane plane(points.planeNormal(chain.front().num), flipped);
  const double elevation = plane.toPlane(points.point(chain.front().num)).z;
  auto polyline = std::make_unique<QvDbPolyline>(static_cast<unsigned int>(chain.size()));
  if (!plane.isWorldXY()) polyline->setNormal(plane.normal());
  polyline->setElevation(elevation);
  for (const JoinChainVertex& vertex : chain) {
    const QvGePoint3d p = plane.toPlane(points.point(vertex.num));
    // Width 0 is what -1 (the polyline's default) gives a new polyline; said outright, the
    // polyline need not look for its constant width at every vertex.
    polyline->addVertexAt(polyline->numVerts(), QvGePoint2d(p.x, p.y), vertex.bulge, 0.0, 0.0);
  }
  if (polyline->numVerts() == 0) return nullptr;
  return polyline.release();
}

}  // namespace

double CombineHelper::GetBulge(QvDbArc*& arc) {
  return arc ? joinArcBulge(*arc) : 0.0;
}

void CombineHelper::GetDrawInfo(std::vector<PointNum>& points, std::vector<NumMap>& segments,
                                int& nextNum, const QvGePoint3d& start, const QvGePoint3d& end,
                                double bulge) {
  const int startNum = numberInList(points, nextNum, start);
  const int endNum = numberInList(points, nextNum, end);
  segments.push_back({startNum, endNum, bulge});
}

bool CombineHelper::FindNextPointNum(std::vector<NumMap>& segments, int pointNum, double& bulge,
                                     int& nextNum) {
  for (auto it = segments.begin(); it != segments.end(); ++it) {
    if (it->startNum == pointNum) {
      nextNum = it->endNum;
      bulge = it->bulge;
      segments.erase(it);
      return true;
    }
  }
  for (auto it = segments.begin(); it != segments.end(); ++it) {
    if (it->endNum == pointNum) {
      nextNum = it->startNum;
      bulge = -it->bulge;
      segments.erase(it);
      return true;
    }
  }
  nextNum = -1;
  bulge = 0.0;
  return false;
}

bool CombineHelper::NumToPoint(const std::vector<PointNum>& points, int num, QvGePoint3d& point) {
  for (const PointNum& known : points) {
    if (known.num == num) {
      point = known.point;
      return true;
    }
  }
  return false;
}

bool CombineHelper::ChangeToPolyLine(const QvArray<QvDbCurve*>& inputs,
                                     QvArray<QvDbCurve*>& outputs) {
  JoinPointIndex points(QvGeContext::gTol);
  std::vector<NumMap> segments;
  JoinCurveSegments curve;
  for (int i = 0; i < inputs.length(); ++i) {
    switch (readJoinCurve(inputs[i], curve)) {
      case JoinCurveUse::kCopy:
        outputs.append(static_cast<QvDbCurve*>(inputs[i]->clone()));
        break;
      case JoinCurveUse::kSegments:
        for (const JoinSegment& s : curve.segments) {
          const int startNum = points.numberOf(s.start, curve.normal);
          const int endNum = points.numberOf(s.end, curve.normal);
          segments.push_back({startNum, endNum, s.bulge});
        }
        break;
      case JoinCurveUse::kIgnored:
        break;
    }
  }

  JoinChainWalker walker(segments, points.size());
  std::vector<JoinChainVertex> chain;
  while (walker.nextChain(chain)) {
    if (QvDbPolyline* polyline = polylineOf(chain, points)) outputs.append(polyline);
  }
  return true;
}

bool CombineHelper::takesCurve(const QvDbCurve* curve) {
  JoinCurveSegments segments;
  return readJoinCurve(curve, segments) != JoinCurveUse::kIgnored;
}
