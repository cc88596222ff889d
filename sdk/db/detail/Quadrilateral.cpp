#include "sdk/db/detail/Quadrilateral.h"

#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiSubEntityTraits.h"
#include "sdk/gi/QvGiWorldDraw.h"

namespace qvdb_detail {

namespace {

// Stored indices in the order that goes round the area: 1, 2, 4, 3.
constexpr int kRound[4] = {0, 1, 3, 2};

}  // namespace

Vexa::ErrorStatus Quadrilateral::transformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d image;
  if (!imageNormal(xform, normal, image)) return Vexa::eDegenerateGeometry;
  for (QvGePoint3d& corner : corners) corner.transformBy(xform);
  normal = image;
  return Vexa::eOk;
}

QvGeExtents3d Quadrilateral::extents() const {
  QvGeExtents3d box;
  for (const QvGePoint3d& corner : corners) box.addPoint(corner);
  return box;
}

void Quadrilateral::gripPoints(QvGePoint3dArray& points, QvDbIntArray& modes,
                               QvDbIntArray& ids) const {
  GripList grips(points, modes, ids);
  for (const QvGePoint3d& corner : corners) grips.add(corner, QvDb::kOsModeEnd);
}

void Quadrilateral::outlineCurves(QvArray<QvGeCurve3d*>& curves) const {
  for (int i = 0; i < 4; ++i) {
    const QvGePoint3d& a = corners[kRound[i]];
    const QvGePoint3d& b = corners[kRound[(i + 1) % 4]];
    if (!a.isEqualTo(b)) curves.append(new QvGeLineSeg3d(a, b));
  }
}

void Quadrilateral::draw(QvGiWorldDraw* wd) const {
  QvGePoint3d round[4];
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    const QvGePoint3d& p = corners[kRound[i]];
    if (n == 0 || !p.isEqualTo(round[n - 1])) round[n++] = p;
  }
  if (n > 1 && round[n - 1].isEqualTo(round[0])) --n;
  wd->subEntityTraits().setFillType(QvGiSubEntityTraits::kFillAlways);
  wd->geometry().polygon(n, round);
  wd->subEntityTraits().setFillType(QvGiSubEntityTraits::kFillNever);
}

}  // namespace qvdb_detail
