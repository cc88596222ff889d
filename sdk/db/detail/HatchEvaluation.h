#pragma once

#include <memory>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeExtents2d.h"

class QvGeCurve2d;

namespace qvdb_detail {

using HatchEdge = std::shared_ptr<const QvGeCurve2d>;

// The edges of a loop given as vertices with bulges: line segments and circular arcs, the last
// from the last vertex back to the first unless `closed` is false and the two are equal.
std::vector<HatchEdge> polylineLoopEdges(const std::vector<QvGePoint2d>& vertices,
                                         const std::vector<double>& bulges, bool closed);

// The evaluated boundary of a hatch, in plane coordinates.
struct HatchEvaluation {
  struct Loop {
    std::vector<HatchEdge> edges;
    // The loop drawn as a closed chain of points (edges sampled, gaps bridged).
    std::vector<QvGePoint2d> ring;
    double area = 0.0;  // enclosed, positive
    double length = 0.0;
    bool closes = false;  // every edge ends where the next starts, the last at the first
    int depth = 0;        // how many other loops it lies inside
  };
  std::vector<Loop> loops;
  QvGeExtents2d box;
  double area = 0.0;  // even-odd: loops at even depth add, at odd depth take away
  Vexa::ErrorStatus status = Vexa::eOk;
};

// Evaluates loops given as edge lists (in loop order).
HatchEvaluation evaluateHatchLoops(std::vector<std::vector<HatchEdge>> loops);

// Whether a point lies inside a closed chain of points (even-odd).
bool insideRing(const std::vector<QvGePoint2d>& ring, const QvGePoint2d& point);

}  // namespace qvdb_detail
