#pragma once

#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGeArrays.h"

namespace qvdb_detail {

// The three arrays of QvDbEntity::getGripPoints, filled one grip at a time; each grip's id is
// its index among the entity's grips.
class GripList {
 public:
  GripList(QvGePoint3dArray& points, QvDbIntArray& modes, QvDbIntArray& ids)
      : points_(points), modes_(modes), ids_(ids), first_(points.length()) {}

  void add(const QvGePoint3d& point, QvDb::OsnapMode mode) {
    ids_.append(points_.length() - first_);
    points_.append(point);
    modes_.append(mode);
  }

 private:
  QvGePoint3dArray& points_;
  QvDbIntArray& modes_;
  QvDbIntArray& ids_;
  int first_;
};

}  // namespace qvdb_detail
