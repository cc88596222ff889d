#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"
#include "xqcmdutil/VexaEntityPE.h"

// A host with the module loaded, so that entities answer its protocol extensions through the
// host's lookup.
class ModuleFixture : public HostFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The entity protocol extension: aligned UCS frames and base points.
class EntityExtensionTest : public ModuleFixture {
 public:
  // The entity's extension, found as a host command finds it (x with the family's class).
  static VexaEntityPE* pe(const QvDbEntity* entity);
  // The UCS the entity aligns at `pick` (may be null) in the active view, from the identity.
  static Vexa::ErrorStatus align(QvDbEntity& entity, const QvGePoint3d* pick, QvGeMatrix3d& ucs);
  // The base point the entity answers (the test fails on a refusal).
  static QvGePoint3d basePoint(QvDbEntity& entity);
  // Success when the entity aligns at `pick` (null: none) the frame at `origin` with x axis `x`
  // and, when given, z axis `z`.
  static ::testing::AssertionResult alignsTo(QvDbEntity& entity, const QvGePoint3d* pick,
                                             const QvGePoint3d& origin, const QvGeVector3d& x,
                                             std::optional<QvGeVector3d> z = std::nullopt);
  static ::testing::AssertionResult alignsTo(QvDbEntity& entity, const QvGePoint3d& pick,
                                             const QvGePoint3d& origin, const QvGeVector3d& x,
                                             std::optional<QvGeVector3d> z = std::nullopt) {
    return alignsTo(entity, &pick, origin, x, z);
  }
};

// The frame a UCS matrix holds.
struct UcsFrame {
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
};
UcsFrame frameOf(const QvGeMatrix3d& ucs);

// Unit axes, square to one another, right-handed (z = x cross y), without shear or scale.
::testing::AssertionResult isOrthonormal(const QvGeMatrix3d& ucs);

// An orthonormal right-handed frame at `origin` with x axis `x` and, when given, z axis `z`.
::testing::AssertionResult isFrame(const QvGeMatrix3d& ucs, const QvGePoint3d& origin,
                                   const QvGeVector3d& x,
                                   std::optional<QvGeVector3d> z = std::nullopt);

// A matrix with a turned frame, to see what a call keeps of the matrix it is given.
QvGeMatrix3d turnedFrame();

// An align that answers `expected` and leaves the matrix it is given as it was.
::testing::AssertionResult refusesAlign(VexaEntityPE* pe, QvDbEntity* entity,
                                        const QvGePoint3d* pick, QvGsView* view,
                                        Vexa::ErrorStatus expected);

// The internal extension: area, length and angle, and setting them.
class InternalPEFixture : public ModuleFixture {
 protected:
  // The extension an entity answers (the test fails on none).
  static QvDbEntityInternalBasePE* pe(const QvDbEntity& entity);

  // The value a query answers; the test fails unless it answers `expected`.
  static double area(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static double length(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static double angle(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static Vexa::ErrorStatus setLength(QvDbEntity& entity, double newLength, const QvGePoint3d& pick);
  static Vexa::ErrorStatus setAngle(QvDbEntity& entity, double newAngle, const QvGePoint3d& pick);
  // The angle query and both setters answer these statuses (a pick at the origin).
  static void expectAngleRow(QvDbEntity& entity, Vexa::ErrorStatus angleStatus,
                             Vexa::ErrorStatus setLengthStatus, Vexa::ErrorStatus setAngleStatus);
};
