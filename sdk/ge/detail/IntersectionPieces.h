#pragma once

#include <vector>

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/detail/NurbsCore.h"

// The pieces the general intersection method cuts curves into: Bezier pieces of NURBS curves
// (with their control hulls as boxes), parameter ranges of other curves (with exact boxes).
namespace qvge_detail {

using IntHPoint = NurbsCore<3>::HPoint;

// With dropZ points and vectors lose their z (curves compared in a projection plane).
QvGePoint3d mapPoint(const QvGePoint3d& p, bool dropZ);
QvGeVector3d mapVector(const QvGeVector3d& v, bool dropZ);
double distanceToChord(const QvGePoint3d& p, const QvGePoint3d& a, const QvGePoint3d& b);
// Least distance between the segments p0-p1 and q0-q1 (clamped closest points).
double segmentDistance(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& q0,
                       const QvGePoint3d& q1);

struct Piece {
  double t0 = 0.0, t1 = 0.0;
  QvGeExtents3d box;
  QvGePoint3d p0, p1;          // mapped end points
  std::vector<IntHPoint> bez;  // control points of a Bezier piece; empty for other curves
  int depth = 0;
};

// Pieces of one curve: Bezier pieces of a NURBS curve, parameter ranges of any other.
class PieceSource {
 public:
  PieceSource(const QvGeCurve3d& c, bool dropZ);

  QvGePoint3d point(double t) const { return mapPoint(c_.evalPoint(t), dropZ_); }
  void derivs(double t, QvGePoint3d& p, QvGeVector3d& d1, QvGeVector3d& d2) const;
  // The first pieces of [lo, hi]: Bezier pieces, or smooth pieces in quarter turns (periodic
  // carriers), four parts (other curves) or one (straight curves).
  void initial(double lo, double hi, std::vector<Piece>& out) const;
  // The two halves of a piece (de Casteljau at the middle for Bezier pieces).
  void split(const Piece& p, Piece& left, Piece& right) const;
  // Largest distance of the piece from its chord (control points for Bezier pieces).
  double deviation(const Piece& p) const;

 private:
  QvGePoint3d euclid(const IntHPoint& h) const;
  Piece makeGeneric(double t0, double t1) const;
  Piece makeBezier(double t0, double t1, std::vector<IntHPoint> ctrl) const;

  const QvGeCurve3d& c_;
  bool dropZ_;
  const NurbsCore<3>* nurbs_ = nullptr;
};

}  // namespace qvge_detail
