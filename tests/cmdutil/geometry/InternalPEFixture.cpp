#include "tests/cmdutil/geometry/InternalPEFixture.h"

#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqCmdUtilEntry.h"

void InternalPEFixture::SetUp() {
  HostFixture::SetUp();
  ASSERT_TRUE(GetVexaCmdApplication()->initApplication());
}

void InternalPEFixture::TearDown() {
  GetVexaCmdApplication()->exitApplication();
  HostFixture::TearDown();
}

QvDbEntityInternalBasePE* InternalPEFixture::pe(const QvDbEntity& entity) {
  auto* ext = QvDbEntityInternalBasePE::cast(entity.x(QvDbEntityInternalBasePE::desc()));
  EXPECT_NE(nullptr, ext) << "no internal extension";
  return ext;
}

QvDbEntityInternalBasePE* InternalPEFixture::peOfClass(const wchar_t* hostClass) {
  QvRxClass* cls = qvrxHostClass(hostClass);
  EXPECT_NE(nullptr, cls);
  if (!cls) return nullptr;
  auto* ext = QvDbEntityInternalBasePE::cast(cls->queryX(QvDbEntityInternalBasePE::desc()));
  EXPECT_NE(nullptr, ext);
  return ext;
}

double InternalPEFixture::area(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  double value = -1.0;
  auto* ext = pe(entity);
  if (ext) {
    EXPECT_EQ(expected, ext->entityArea(&entity, value));
  }
  return value;
}

double InternalPEFixture::length(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  double value = -1.0;
  auto* ext = pe(entity);
  if (ext) {
    EXPECT_EQ(expected, ext->entityLength(&entity, value));
  }
  return value;
}

double InternalPEFixture::angle(const QvDbEntity& entity, Vexa::ErrorStatus expected) {
  double value = -1.0;
  auto* ext = pe(entity);
  if (ext) {
    EXPECT_EQ(expected, ext->entityAngle(&entity, value));
  }
  return value;
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
