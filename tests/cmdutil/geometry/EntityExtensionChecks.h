#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/VexaEntityPE.h"

// A host with the module loaded (its extensions attached to the host classes), and what the
// tests of the entity protocol extension check.
class EntityExtensionTest : public HostFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The entity's extension, found as a host command finds it (x with the family's class).
  static VexaEntityPE* pe(const QvDbEntity* entity);
};

// The frame a UCS matrix holds.
struct UcsFrame {
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
};
UcsFrame frameOf(const QvGeMatrix3d& ucs);

// Unit axes, square to one another, right-handed (z = x cross y), without shear or scale.
::testing::AssertionResult isOrthonormal(const QvGeMatrix3d& ucs);

// A matrix with a turned frame, to see what a call keeps of the matrix it is given.
QvGeMatrix3d turnedFrame();
