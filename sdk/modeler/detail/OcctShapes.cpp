#include "sdk/modeler/detail/OcctShapes.h"

#include <BRepBndLib.hxx>
#include <Standard_Failure.hxx>

#include <cmath>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeVector3d.h"

namespace qvmodeler_detail {

Bnd_Box boxOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  if (!shape.IsNull()) BRepBndLib::AddOptimal(shape, box, false, false);
  return box;
}

double sizeOf(const Bnd_Box& box) {
  return box.IsVoid() ? 0.0 : std::sqrt(box.SquareExtent());
}

bool similarity(const QvGeMatrix3d& m, gp_Trsf& trsf) {
  QvGeVector3d columns[3];
  for (int c = 0; c < 3; ++c)
    columns[c] = QvGeVector3d(m.entry[0][c], m.entry[1][c], m.entry[2][c]);
  const double s = columns[0].length();
  if (!(s > 0.0) || !std::isfinite(s)) return false;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(columns[i].length() - s) > 1e-9 * s) return false;
    for (int j = i + 1; j < 3; ++j)
      if (std::fabs(columns[i].dotProduct(columns[j])) > 1e-9 * s * s) return false;
  }
  if (m.entry[3][0] != 0.0 || m.entry[3][1] != 0.0 || m.entry[3][2] != 0.0) return false;
  try {
    trsf.SetValues(m.entry[0][0], m.entry[0][1], m.entry[0][2], m.entry[0][3], m.entry[1][0],
                   m.entry[1][1], m.entry[1][2], m.entry[1][3], m.entry[2][0], m.entry[2][1],
                   m.entry[2][2], m.entry[2][3]);
  } catch (const Standard_Failure&) {
    return false;
  }
  return true;
}

}  // namespace qvmodeler_detail
