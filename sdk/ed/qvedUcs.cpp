#include "sdk/ed/qvedUcs.h"

#include <array>
#include <cmath>
#include <optional>

#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGePrecision.h"

namespace {

// A coordinate system of qvedTrans, as the matrix that carries it to world coordinates.
std::optional<QvGeMatrix3d> toWorldMatrix(const resbuf& system, const VexaSysVarService& vars) {
  QvGeMatrix3d m;
  if (system.type == kRbShort) {
    if (system.value.int16 == kQvTransWorld) return m;
    if (system.value.int16 == kQvTransUcs) {
      vars.currentUcs().toWorldMatrix(m.entry);
      return m;
    }
    return std::nullopt;
  }
  if (system.type == kRbPoint3d) {
    const QvGeVector3d normal(system.value.point[0], system.value.point[1], system.value.point[2]);
    if (!std::isfinite(normal.lengthSqrd()) || !m.setToPlaneToWorld(normal)) return std::nullopt;
    return m;
  }
  return std::nullopt;
}

QvGePoint3d apply(const QvGeMatrix3d& m, const QvGePoint3d& p, bool displacement) {
  QvGePoint3d out;
  for (int i = 0; i < 3; ++i) {
    out[i] = m.entry[i][0] * p.x + m.entry[i][1] * p.y + m.entry[i][2] * p.z;
    if (!displacement) out[i] += m.entry[i][3];
  }
  return out;
}

bool near(double a, double b) {
  return std::abs(a - b) <= QvGePrecision::kRelative;
}

}  // namespace

int qvedTrans(const double* point, const resbuf* from, const resbuf* to, int displacement,
              double* result) {
  const VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars || !point || !from || !to || !result) return kQvError;
  const auto fromToWorld = toWorldMatrix(*from, *vars);
  const auto toToWorld = toWorldMatrix(*to, *vars);
  if (!fromToWorld || !toToWorld) return kQvError;
  const bool disp = displacement != 0;
  const QvGePoint3d world = apply(*fromToWorld, QvGePoint3d(point[0], point[1], point[2]), disp);
  // The systems are orthonormal: back from world through the transpose, with the origin first.
  const QvGeMatrix3d& m = *toToWorld;
  QvGePoint3d d = world;
  if (!disp)
    for (int i = 0; i < 3; ++i) d[i] -= m.entry[i][3];
  for (int j = 0; j < 3; ++j)
    result[j] = m.entry[0][j] * d.x + m.entry[1][j] * d.y + m.entry[2][j] * d.z;
  return kQvNormal;
}

int qvedTrans(const QvGePoint3d& point, int16_t from, int16_t to, bool displacement,
              QvGePoint3d& result) {
  resbuf fromSystem{};
  fromSystem.type = kRbShort;
  fromSystem.value.int16 = from;
  resbuf toSystem{};
  toSystem.type = kRbShort;
  toSystem.value.int16 = to;
  const double in[3] = {point.x, point.y, point.z};
  double out[3];
  const int rc = qvedTrans(in, &fromSystem, &toSystem, displacement ? 1 : 0, out);
  if (rc == kQvNormal) result.set(out[0], out[1], out[2]);
  return rc;
}

Vexa::ErrorStatus qvedGetCurrentUCS(QvGeMatrix3d& ucsToWorld) {
  const VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return Vexa::eNotApplicable;
  vars->currentUcs().toWorldMatrix(ucsToWorld.entry);
  return Vexa::eOk;
}

Vexa::ErrorStatus qvedSetCurrentUCS(const QvGeMatrix3d& ucsToWorld) {
  VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return Vexa::eNotApplicable;
  QvGePoint3d origin;
  QvGeVector3d x;
  QvGeVector3d y;
  QvGeVector3d z;
  ucsToWorld.getCoordSystem(origin, x, y, z);
  const QvGeVector3d xy = x.crossProduct(y);
  const bool orthonormal = near(x.length(), 1.0) && near(y.length(), 1.0) &&
                           near(x.dotProduct(y), 0.0) && near(xy.x, z.x) && near(xy.y, z.y) &&
                           near(xy.z, z.z) && near(ucsToWorld.entry[3][0], 0.0) &&
                           near(ucsToWorld.entry[3][1], 0.0) && near(ucsToWorld.entry[3][2], 0.0) &&
                           near(ucsToWorld.entry[3][3], 1.0);
  const auto ucs = VexaUcs::fromAxes(origin, x, y);
  if (!orthonormal || !ucs) return Vexa::eInvalidInput;
  return vars->setCurrentUcs(*ucs);
}
