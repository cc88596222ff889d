#include "sdk/base/QvClassicGeometry.h"

#include <cmath>

#include "sdk/base/QvInvalidParameter.h"

double qvutDistance(const double* p1, const double* p2) {
  if (!p1 || !p2) {
    qvReportInvalidParameter("qvutDistance", !p1 ? "p1 != nullptr" : "p2 != nullptr");
    return 0.0;
  }
  const double dx = p1[0] - p2[0], dy = p1[1] - p2[1], dz = p1[2] - p2[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
