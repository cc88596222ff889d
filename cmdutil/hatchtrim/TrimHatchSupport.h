#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGeArrays.h"

class QvDbCurve;
class QvDbEntity;
class QvDbHatch;
class QvGeCurve2d;
class QvGePlane;

// Small steps the phases of hatch trimming share.
namespace xq_hatchtrim {

// The gap the modeler closes when it makes a region of curves.
constexpr double kRegionGapTol = 1e-4;
// Ends of pieces, and corners of a loop, closer than this meet (drawings leave such gaps
// between curves that are meant to touch).
constexpr double kMeetTol = 1e-6;

// The ray direction of the parity tests: a unit vector that passes through no vertex of the
// usual drawings.
QvGeVector3d rayDirection();
// How many times (odd 1, even 0) a ray from `point` in rayDirection(), seen in `plane`, crosses
// the entity; -1 when the intersection failed or stopped at the work limit.
int rayCrossingsOdd(const QvDbEntity* entity, const QvGePoint3d& point, const QvGePlane& plane);
// Whether two boxes are apart in x, y or z by more than the confusion distance.
bool boxesApart(const QvDbExtents& a, const QvDbExtents& b);
// A margin by which a box grows so that every box not apart from it (boxesApart), and every
// piece an intersection may find near it, meets it; rounding at the box's magnitude included.
double boxMargin(const QvDbExtents& box);
// The ends of a 2D curve.
QvGePoint2d startOf(const QvGeCurve2d& curve);
QvGePoint2d endOf(const QvGeCurve2d& curve);
// Appends p unless an equal point (QvGeContext::gTol) is there.
void addDistinct(QvGePoint3dArray& points, const QvGePoint3d& p);
// A cutting entity as what it is: the host's array types every cutter as a curve, block
// references too, so an element is only ever used through its entity interface.
inline QvDbEntity* asEntity(QvDbCurve* cutter) {
  return reinterpret_cast<QvDbEntity*>(cutter);
}
// Closes every non-null cutting entity but `hatch`, once each.
void closeCutters(const QvArray<QvDbCurve*>& cuttingCurves, const QvDbHatch* hatch);

}  // namespace xq_hatchtrim

#include <vector>

#include "xqcmdutil/CTrimHatch.h"

namespace xq_hatchtrim {

// Owns the entities of a piece list and deletes them when it goes.
class OwnedPieces {
 public:
  explicit OwnedPieces(CTrimHatch::PieceList& pieces) : pieces_(pieces) {}
  OwnedPieces(const OwnedPieces&) = delete;
  OwnedPieces& operator=(const OwnedPieces&) = delete;
  ~OwnedPieces();

 private:
  CTrimHatch::PieceList& pieces_;
};

// Owns the regions of a record list.
class OwnedRegions {
 public:
  explicit OwnedRegions(CTrimHatch::RegionList& regions) : regions_(regions) {}
  OwnedRegions(const OwnedRegions&) = delete;
  OwnedRegions& operator=(const OwnedRegions&) = delete;
  ~OwnedRegions();

 private:
  CTrimHatch::RegionList& regions_;
};

// Deletes the entities of a list of owned curves when it goes.
class OwnedCurves {
 public:
  OwnedCurves() = default;
  OwnedCurves(const OwnedCurves&) = delete;
  OwnedCurves& operator=(const OwnedCurves&) = delete;
  ~OwnedCurves();
  std::vector<QvDbCurve*> curves;
};

// Adds the id unless the list holds it.
void addDistinctId(QvArray<QvDbObjectId>& ids, const QvDbObjectId& id);
// The region's area (0 when it cannot be had).
double areaOf(const QvDbRegion* region);
// Whether two areas are equal relative to their size.
bool sameArea(double a, double b);

}  // namespace xq_hatchtrim
