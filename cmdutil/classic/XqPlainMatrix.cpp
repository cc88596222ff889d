#include "xqcmdutil/XqPlainMatrix.h"

#include "sdk/base/QvInvalidParameter.h"

void xq_idmat(double m[4][4]) {
  if (!m) {
    qvReportInvalidParameter("xq_idmat", "m != nullptr");
    return;
  }
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) m[r][k] = r == k ? 1.0 : 0.0;
}

void multMtx2Mtx(const double a[4][4], const double b[4][4], double c[4][4]) {
  if (!a || !b || !c) {
    qvReportInvalidParameter("multMtx2Mtx", !c ? "c != nullptr" : "a != nullptr && b != nullptr");
    return;
  }
  double product[4][4];
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) {
      double sum = 0.0;
      for (int j = 0; j < 4; ++j) sum += a[r][j] * b[j][k];
      product[r][k] = sum;
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) c[r][k] = product[r][k];
}
