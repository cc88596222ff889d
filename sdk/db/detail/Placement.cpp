#include "sdk/db/detail/Placement.h"

#include <cmath>

#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGePrecision.h"

namespace qvdb_detail {

QvGeMatrix3d Placement::matrix() const {
  QvGeMatrix3d scaling;
  scale.getMatrix(scaling);
  return QvGeMatrix3d::translation(position.asVector()) * QvGeMatrix3d::planeToWorld(normal) *
         QvGeMatrix3d::rotation(rotation, QvGeVector3d::kZAxis) * scaling;
}

Vexa::ErrorStatus decompose(const QvGeMatrix3d& xform, const QvGePoint3d& origin,
                            Placement& placement) {
  QvGeVector3d columns[3];
  for (int c = 0; c < 3; ++c)
    columns[c].set(xform.entry[0][c], xform.entry[1][c], xform.entry[2][c]);
  double lengths[3];
  for (int c = 0; c < 3; ++c) {
    lengths[c] = columns[c].length();
    if (!(lengths[c] > 0.0) || !std::isfinite(lengths[c])) return Vexa::eDegenerateGeometry;
  }
  for (int a = 0; a < 3; ++a) {
    const int b = (a + 1) % 3;
    if (std::fabs(columns[a].dotProduct(columns[b])) >
        QvGePrecision::kRelative * lengths[a] * lengths[b])
      return Vexa::eNotApplicable;
  }
  // z column: the normal (scale positive); y column: the rotated y axis (scale positive); the
  // x axis completes the frame, so a mirror shows as a negative x scale.
  const QvGeVector3d normal = columns[2] / lengths[2];
  const QvGeVector3d yAxis = columns[1] / lengths[1];
  const QvGeVector3d xAxis = yAxis.crossProduct(normal);
  placement.normal = normal;
  placement.scale.set(columns[0].dotProduct(xAxis), lengths[1], lengths[2]);
  placement.rotation = angleInFrame(xAxis, normal);
  QvGePoint3d position = origin;
  placement.position = position.transformBy(xform);
  return Vexa::eOk;
}

}  // namespace qvdb_detail
