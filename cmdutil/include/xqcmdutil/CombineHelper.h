#pragma once

#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class QvDbArc;
class QvDbCurve;
class QvDbPolyline;

// Turns loose curves into as few lightweight polylines as their shared end points allow.
// Lines and arcs become segments (arcs as bulges), lightweight polylines give their segments,
// splines and ellipses are approximated by short straight segments first, and circles (and
// arcs of a whole turn) are passed through as copies. The segments are numbered by their end
// points (two points are one when they are equal within QvGeContext::gTol and lie in the same
// plane) and chained forwards and backwards from a starting segment.
//
// Planes. Every segment lies in the plane of its curve; only segments of one plane chain, and
// each polyline gets that plane's normal and elevation. A plane's two sides are one plane: a
// mirrored arc (normal -Z) joins lines of the XY plane with its bulge turned over. Curves that
// lie in no plane (a sloped line, a 3D spline), that hold non-finite coordinates or that have
// nothing to join (a polyline of one vertex) are left out, as are curves of other kinds.
//
// ChangeToPolyLine works in O(n log n) for n segments: end points are found through a hash
// of cells at least twice the tolerance wide, and every point keeps the segments that start
// and end there in input order with a cursor past those already taken. GetDrawInfo,
// FindNextPointNum and NumToPoint are the single steps of the same numbering and walk on
// plain lists (linear searches), for callers that keep such lists.
class XQCMDUTIL_EXPORT CombineHelper {
 public:
  // A numbered point: numbers are handed out from 0 in the order points are first met.
  struct PointNum {
    QvGePoint3d point;
    int num = 0;
  };
  // One segment: the numbers of its ends and its bulge (the tangent of a quarter of its
  // included angle, positive counterclockwise from start to end; 0 when straight).
  struct NumMap {
    int startNum = 0;
    int endNum = 0;
    double bulge = 0.0;
  };

  // 2 pi, set when the module is loaded.
  static double m_cPI2;

  CombineHelper() {}
  CombineHelper(const CombineHelper&) {}
  CombineHelper& operator=(const CombineHelper&) { return *this; }
  ~CombineHelper() {}

  // tan(sweep / 4) with sweep = end angle - start angle, plus 2 pi when negative. A whole
  // turn (equal angles) gives 0.
  static double GetBulge(QvDbArc*& arc);

  // Numbers `start` and `end` (the first equal point of `points` gives its number; an unseen
  // point is appended with `nextNum`, which then grows) and appends their segment.
  static void GetDrawInfo(std::vector<PointNum>& points, std::vector<NumMap>& segments,
                          int& nextNum, const QvGePoint3d& start, const QvGePoint3d& end,
                          double bulge);

  // Takes from `segments` the first one that starts at `pointNum` (then `nextNum` is its end
  // and `bulge` its bulge) or, when none does, the first that ends there (its start, and its
  // bulge negated). False, with `nextNum` -1 and `bulge` 0, when no segment touches the point.
  static bool FindNextPointNum(std::vector<NumMap>& segments, int pointNum, double& bulge,
                               int& nextNum);

  // The point of number `num`; false when no point has it.
  static bool NumToPoint(const std::vector<PointNum>& points, int num, QvGePoint3d& point);

  // Appends to `outputs` a copy of every circle (and whole-turn arc) of `inputs`, in input
  // order, then one new polyline per chain, in the order the chains are made: each starts at
  // the start of the first segment not yet taken, walks forwards as long as a segment leaves
  // its last point (segments starting there before those ending there, earlier before later),
  // then backwards from its first point the same way. A chain that ends where it began is not
  // marked closed: its last vertex repeats its first. A closed input polyline gives its
  // closing segment too. The inputs are only read; the outputs are new and the caller's.
  // Always true.
  static bool ChangeToPolyLine(const QvArray<QvDbCurve*>& inputs, QvArray<QvDbCurve*>& outputs);

  // A new polyline through points of a spline or an ellipse, in the curve's plane: its start
  // point, the points at distances 0, step, 2 step, ... below its length, and its end point,
  // where step is the smaller of a 40th of its extents' diagonal and a 20th of its length (the
  // first two points coincide). Null for other curves, a curve that lies in no plane, and one
  // whose length or extents are not finite.
  static QvDbPolyline* approximateByPolyline(const QvDbCurve* curve);

  // Whether ChangeToPolyLine makes use of `curve`: joins its segments or copies it. The curves
  // it leaves out are left for the caller to keep.
  static bool takesCurve(const QvDbCurve* curve);
};
