#include "EntityExtensionChecks.h"

#include <cmath>

#include "xqcmdutil/XqCmdUtilEntry.h"

void EntityExtensionTest::SetUp() {
  HostFixture::SetUp();
  ASSERT_TRUE(GetVexaCmdApplication()->initApplication());
}

void EntityExtensionTest::TearDown() {
  GetVexaCmdApplication()->exitApplication();
  HostFixture::TearDown();
}

VexaEntityPE* EntityExtensionTest::pe(const QvDbEntity* entity) {
  return VexaEntityPE::cast(entity->x(VexaEntityPE::desc()));
}

UcsFrame frameOf(const QvGeMatrix3d& ucs) {
  UcsFrame frame;
  ucs.getCoordSystem(frame.origin, frame.x, frame.y, frame.z);
  return frame;
}

::testing::AssertionResult isOrthonormal(const QvGeMatrix3d& ucs) {
  const UcsFrame f = frameOf(ucs);
  constexpr double kTol = 1e-12;
  const double checks[] = {f.x.length() - 1.0,
                           f.y.length() - 1.0,
                           f.z.length() - 1.0,
                           f.x.dotProduct(f.y),
                           f.y.dotProduct(f.z),
                           f.z.dotProduct(f.x),
                           (f.x.crossProduct(f.y) - f.z).length()};
  for (double c : checks)
    if (!(std::fabs(c) <= kTol))
      return ::testing::AssertionFailure()
             << "x (" << f.x.x << ", " << f.x.y << ", " << f.x.z << ") y (" << f.y.x << ", "
             << f.y.y << ", " << f.y.z << ") z (" << f.z.x << ", " << f.z.y << ", " << f.z.z
             << ") are not an orthonormal right-handed frame";
  return ::testing::AssertionSuccess();
}

QvGeMatrix3d turnedFrame() {
  QvGeMatrix3d m = QvGeMatrix3d::rotation(0.3, QvGeVector3d(1, 2, 3).normal());
  m.entry[0][3] = 7.0;
  return m;
}
