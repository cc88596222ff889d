#include "tests/cmdutil/geometry/ModuleFixtures.h"

#include <cmath>

#include "xqcmdutil/XqCmdUtilEntry.h"
#include "xqcmdutil/XqUcsTransforms.h"

void ModuleFixture::SetUp() {
  HostFixture::SetUp();
  ASSERT_TRUE(GetVexaCmdApplication()->initApplication());
}

void ModuleFixture::TearDown() {
  GetVexaCmdApplication()->exitApplication();
  HostFixture::TearDown();
}

VexaEntityPE* EntityExtensionTest::pe(const QvDbEntity* entity) {
  return VexaEntityPE::cast(entity->x(VexaEntityPE::desc()));
}

Vexa::ErrorStatus EntityExtensionTest::align(QvDbEntity& entity, const QvGePoint3d* pick,
                                             QvGeMatrix3d& ucs) {
  VexaEntityPE* extension = pe(&entity);
  if (!extension) return Vexa::eNotImplemented;
  ucs.setToIdentity();
  return extension->getAlignedUCS(&entity, pick, vexaGetActiveQvGsView(), ucs);
}

QvGePoint3d EntityExtensionTest::basePoint(QvDbEntity& entity) {
  QvGePoint3d point(-99, -99, -99);
  EXPECT_EQ(pe(&entity)->getBasePoint(&entity, point), Vexa::eOk);
  return point;
}

::testing::AssertionResult EntityExtensionTest::alignsTo(QvDbEntity& entity,
                                                         const QvGePoint3d* pick,
                                                         const QvGePoint3d& origin,
                                                         const QvGeVector3d& x,
                                                         std::optional<QvGeVector3d> z) {
  QvGeMatrix3d ucs;
  if (const Vexa::ErrorStatus es = align(entity, pick, ucs); es != Vexa::eOk)
    return ::testing::AssertionFailure() << "align answered " << es;
  return isFrame(ucs, origin, x, z);
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

::testing::AssertionResult isFrame(const QvGeMatrix3d& ucs, const QvGePoint3d& origin,
                                   const QvGeVector3d& x, std::optional<QvGeVector3d> z) {
  const UcsFrame f = frameOf(ucs);
  if (auto r = isOrthonormal(ucs); !r) return r;
  if (auto r = pointsNear(f.origin, origin); !r) return r << " (origin)";
  if (auto r = vectorsNear(f.x, x); !r) return r << " (x axis)";
  if (z)
    if (auto r = vectorsNear(f.z, *z); !r) return r << " (z axis)";
  return ::testing::AssertionSuccess();
}

QvGeMatrix3d turnedFrame() {
  QvGeMatrix3d m = QvGeMatrix3d::rotation(0.3, QvGeVector3d(1, 2, 3).normal());
  m.entry[0][3] = 7.0;
  return m;
}

::testing::AssertionResult refusesAlign(VexaEntityPE* pe, QvDbEntity* entity,
                                        const QvGePoint3d* pick, QvGsView* view,
                                        Vexa::ErrorStatus expected) {
  QvGeMatrix3d kept = turnedFrame();
  const Vexa::ErrorStatus status = pe->getAlignedUCS(entity, pick, view, kept);
  if (status != expected)
    return ::testing::AssertionFailure() << "status " << status << ", not " << expected;
  if (!kept.isEqualTo(turnedFrame()))
    return ::testing::AssertionFailure() << "the matrix given was changed";
  return ::testing::AssertionSuccess();
}

QvDbEntityInternalBasePE* InternalPEFixture::pe(const QvDbEntity& entity) {
  auto* ext = QvDbEntityInternalBasePE::cast(entity.x(QvDbEntityInternalBasePE::desc()));
  EXPECT_NE(nullptr, ext) << "no internal extension";
  return ext;
}

namespace {

using Query = Vexa::ErrorStatus (QvDbEntityInternalBasePE::*)(const QvDbEntity*, double&);

double measure(QvDbEntityInternalBasePE* ext, Query query, const QvDbEntity& entity,
               Vexa::ErrorStatus expected) {
  double value = -1.0;
  if (ext) {
    EXPECT_EQ(expected, (ext->*query)(&entity, value));
  }
  return value;
}

}  // namespace

double InternalPEFixture::area(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  return measure(pe(entity), &QvDbEntityInternalBasePE::entityArea, entity, expected);
}

double InternalPEFixture::length(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  return measure(pe(entity), &QvDbEntityInternalBasePE::entityLength, entity, expected);
}

double InternalPEFixture::angle(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  return measure(pe(entity), &QvDbEntityInternalBasePE::entityAngle, entity, expected);
}

Vexa::ErrorStatus InternalPEFixture::setLength(QvDbEntity& entity, double newLength,
                                               const QvGePoint3d& pick) {
  auto* ext = pe(entity);
  return ext ? ext->setEntityLength(&entity, newLength, pick) : Vexa::eNullPtr;
}

Vexa::ErrorStatus InternalPEFixture::setAngle(QvDbEntity& entity, double newAngle,
                                              const QvGePoint3d& pick) {
  auto* ext = pe(entity);
  return ext ? ext->setEntityAngle(&entity, newAngle, pick) : Vexa::eNullPtr;
}

void InternalPEFixture::expectAngleRow(QvDbEntity& entity, Vexa::ErrorStatus angleStatus,
                                       Vexa::ErrorStatus setLengthStatus,
                                       Vexa::ErrorStatus setAngleStatus) {
  angle(entity, angleStatus);
  EXPECT_EQ(setLengthStatus, setLength(entity, 1.0, QvGePoint3d()));
  EXPECT_EQ(setAngleStatus, setAngle(entity, 1.0, QvGePoint3d()));
}
