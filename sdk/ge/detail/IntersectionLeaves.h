#pragma once

#include <memory>
#include <vector>

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/detail/IntersectionRecords.h"

// The curves of one side of an intersection, taken apart into simple curves (composites into
// their pieces, polylines into segments), and the dispatch of pairs of them to the closed forms
// or the general method.
namespace qvge_detail {

// A simple curve: its parameter plus shift is the parameter of the curve the caller gave.
// dropZ marks a curve kept in projection-plane coordinates because its projection would
// collapse; it is compared by x and y.
struct Leaf {
  const QvGeCurve3d* curve;
  double shift;
  bool dropZ;
};

// The leaves of one curve, with the pieces made for them.
class LeafSet {
 public:
  void add(const QvGeCurve3d& c, double shift);
  // Every leaf into the plane's coordinates, flattened onto z = 0 where that keeps it a curve
  // with the same parameters (up to a shift); otherwise kept whole with dropZ.
  void project(const QvGePlane& plane);

  std::vector<Leaf> leaves;

 private:
  const QvGeCurve3d* keepOwned(QvGeCurve3d* c);

  std::vector<std::unique_ptr<QvGeCurve3d>> owned_;
};

// One pair of leaves, by closed form where there is one; records in the callers' parameters.
// workLimit bounds the general method (see intersectGeneral).
void intersectLeaves(const Leaf& a, const Leaf& b, const QvGeTol& tol, int workLimit, IntSink& out);
// Every pair of leaves whose boxes meet (through a tree of boxes over each list).
void intersectLeafSets(const std::vector<Leaf>& first, const std::vector<Leaf>& second,
                       const QvGeTol& tol, int workLimit, IntSink& sink);
// The largest coordinate a curve reaches (of the defining points for straight curves).
double coordinateScale(const QvGeCurve3d& c);
// True for curves that need no taking apart.
bool isSimpleCurve(const QvGeCurve3d& c);

}  // namespace qvge_detail
