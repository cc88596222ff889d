#include "cmdutil/geometry/VexaFace_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbFace.h"
#include "xqcmdutil/XqArbitraryAxis.h"

namespace {

// The first of the face's vertices at `order` that differs from vertex 0; vertex 0 itself when
// all of them coincide with it.
QvGePoint3d firstApart(const QvDbFace& face, const QvGePoint3d& p0, const int (&order)[3]) {
  for (int index : order) {
    QvGePoint3d p;
    if (face.getVertexAt(index, p) == Vexa::eOk && !p.isEqualTo(p0)) return p;
  }
  return p0;
}

}  // namespace

Vexa::ErrorStatus VexaFace_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                    QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbFace* face = QvDbFace::cast(entity);
  if (!face) return Vexa::eNotApplicable;
  QvGePoint3d p0;
  if (face->getVertexAt(0, p0) != Vexa::eOk) return Vexa::eNotApplicable;
  const QvGeVector3d toA = firstApart(*face, p0, {1, 2, 3}) - p0;
  const QvGeVector3d toB = firstApart(*face, p0, {3, 2, 1}) - p0;
  if (toA.isZeroLength() || toB.isZeroLength()) {
    XqAlignedUcs::moveOrigin(ucs, p0);
    return Vexa::eOk;
  }
  const QvGeVector3d x = toA.normal();
  const QvGeVector3d z = x.crossProduct(toB.normal());
  if (z.isZeroLength()) {
    // All vertices on one line: the plane around it.
    QvGeVector3d ax, ay, az;
    if (!vexaGetArbitraryAxis(x, ax, ay, az)) return Vexa::eNotApplicable;
    ucs.setCoordSystem(p0, az, ax, ay);
    return Vexa::eOk;
  }
  const QvGeVector3d unitZ = z.normal();
  ucs.setCoordSystem(p0, x, unitZ.crossProduct(x), unitZ);
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaFace_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbFace* face = QvDbFace::cast(entity);
  if (!face) return Vexa::eNotApplicable;
  return face->getVertexAt(0, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
