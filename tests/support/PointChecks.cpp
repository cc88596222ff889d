#include "tests/support/PointChecks.h"

#include <sstream>

namespace {

std::string describe(const QvGePoint3d& p) {
  std::ostringstream out;
  out.precision(17);
  out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
  return out.str();
}

}  // namespace

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b, double tol) {
  const double d = a.distanceTo(b);
  if (d <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << describe(a) << " and " << describe(b) << " are " << d << " apart";
}

::testing::AssertionResult vectorsNear(const QvGeVector3d& a, const QvGeVector3d& b, double tol) {
  return pointsNear(QvGePoint3d(a.x, a.y, a.z), QvGePoint3d(b.x, b.y, b.z), tol);
}

::testing::AssertionResult pointListsNear(const QvGePoint3dArray& a, const QvGePoint3dArray& b,
                                          double tol) {
  if (a.length() != b.length())
    return ::testing::AssertionFailure() << a.length() << " points instead of " << b.length();
  for (int i = 0; i < a.length(); ++i)
    if (::testing::AssertionResult near = pointsNear(a[i], b[i], tol); !near)
      return ::testing::AssertionFailure() << "point " << i << ": " << near.message();
  return ::testing::AssertionSuccess();
}
