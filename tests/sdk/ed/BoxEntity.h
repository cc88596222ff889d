#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGePoint3d.h"

// An entity for the editor's tests: an axis-aligned box between two corners (its extents),
// moved by transformBy. An empty box has no extents, as an unbounded entity.
class BoxEntity : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(BoxEntity);

  BoxEntity() = default;
  BoxEntity(const QvGePoint3d& low, const QvGePoint3d& high) : low_(low), high_(high) {}
  static BoxEntity* unbounded();

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  QvGePoint3d low_;
  QvGePoint3d high_;
  bool bounded_ = true;
};
