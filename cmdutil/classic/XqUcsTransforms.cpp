#include "xqcmdutil/XqUcsTransforms.h"

#include <cstdint>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvInvalidParameter.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/qvdbUcsMatrix.h"
#include "sdk/ed/qvedUcs.h"
#include "xqcmdutil/XqPlainMatrix.h"

namespace {

using PointTransform = int (*)(const double*, double*, int);

resbuf systemBuffer(int16_t system) {
  resbuf rb{};
  rb.type = kRbShort;
  rb.value.int16 = system;
  return rb;
}

int transform(const char* function, const double* p, double* out, int16_t from, int16_t to,
              int disp) {
  if (!p || !out) {
    qvReportInvalidParameter(function, !out ? "out != nullptr" : "p != nullptr");
    return 0;
  }
  const resbuf fromSystem = systemBuffer(from);
  const resbuf toSystem = systemBuffer(to);
  return qvedTrans(p, &fromSystem, &toSystem, disp, out) == kQvNormal ? 1 : 0;
}

// Columns 0 to 2: the images of the unit axes as displacements; column 3: the image of the
// origin. A transformation the host refuses leaves the identity rather than stale columns.
void fillMatrix(const char* function, PointTransform apply, double m[4][4]) {
  if (!m) {
    qvReportInvalidParameter(function, "m != nullptr");
    return;
  }
  double columns[4][3];
  static constexpr double kUnit[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
  for (int k = 0; k < 4; ++k) {
    if (!apply(kUnit[k], columns[k], k < 3 ? 1 : 0)) {
      xq_idmat(m);
      return;
    }
  }
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 4; ++k) m[r][k] = columns[k][r];
  m[3][0] = m[3][1] = m[3][2] = 0.0;
  m[3][3] = 1.0;
}

}  // namespace

int uc2wc(const double* p, double* out, int disp) {
  return transform("uc2wc", p, out, kQvTransUcs, kQvTransWorld, disp);
}

int wc2uc(const double* p, double* out, int disp) {
  return transform("wc2uc", p, out, kQvTransWorld, kQvTransUcs, disp);
}

void wc2ucMatrix(double m[4][4]) {
  fillMatrix("wc2ucMatrix", &wc2uc, m);
}

void uc2wcMatrix(double m[4][4]) {
  fillMatrix("uc2wcMatrix", &uc2wc, m);
}

void TransDependOnUcs(double m[4][4]) {
  if (!m) {
    qvReportInvalidParameter("TransDependOnUcs", "m != nullptr");
    return;
  }
  double worldToUcs[4][4], ucsToWorld[4][4];
  wc2ucMatrix(worldToUcs);
  uc2wcMatrix(ucsToWorld);
  multMtx2Mtx(m, ucsToWorld, m);
  multMtx2Mtx(worldToUcs, m, m);
}

QvGePoint3d ucsToWcs(const QvGePoint3d& p) {
  QvGeMatrix3d ucsToWorld;
  if (qvdbUcsMatrix(ucsToWorld) != Vexa::eOk) ucsToWorld.setToIdentity();
  return QvGePoint3d(p).transformBy(ucsToWorld);
}

void getUcsToWcsOriginMatrix(QvGeMatrix3d& m, const QvGePoint3d& offset, const QvDbDatabase* db) {
  m.setToIdentity();
  QvGeMatrix3d ucsToWorld;
  if (qvdbUcsMatrix(ucsToWorld, db) != Vexa::eOk) return;
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
  ucsToWorld.getCoordSystem(origin, x, y, z);
  origin += offset.asVector();
  // Leaves the identity when the frame is singular.
  m.setToAlignCoordSys(origin, x, y, z, QvGePoint3d::kOrigin, QvGeVector3d::kXAxis,
                       QvGeVector3d::kYAxis, QvGeVector3d::kZAxis);
}
