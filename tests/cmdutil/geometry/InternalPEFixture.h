#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbEntity.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"

// A host with the module loaded, so that entities answer the internal protocol extension
// through the host's lookup.
class InternalPEFixture : public HostFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The extension an entity answers (the test fails on none).
  static QvDbEntityInternalBasePE* pe(const QvDbEntity& entity);
  // The extension attached to a host class by name, for classes without entities here.
  static QvDbEntityInternalBasePE* peOfClass(const wchar_t* hostClass);

  static double area(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static double length(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static double angle(const QvDbEntity& entity, Vexa::ErrorStatus expected = Vexa::eOk);
  static Vexa::ErrorStatus setLength(QvDbEntity& entity, double newLength, const QvGePoint3d& pick);
  static Vexa::ErrorStatus setAngle(QvDbEntity& entity, double newAngle, const QvGePoint3d& pick);
};
