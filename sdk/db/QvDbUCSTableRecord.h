#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// A named user coordinate system: an origin and two unit axes at right angles (world
// coordinates).
class QvDbUCSTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbUCSTableRecord);

  QvDbUCSTableRecord() = default;

  QvGePoint3d origin() const;
  QvGeVector3d xAxis() const;
  QvGeVector3d yAxis() const;
  // The axes are made unit vectors; they must not be zero or parallel and must be at right
  // angles within the global tolerance (eInvalidInput otherwise; nothing changes).
  Vexa::ErrorStatus setUcs(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                           const QvGeVector3d& yAxis);

  // Checks and normalises a UCS; false when it is not one (used by the database too).
  static bool normalizedAxes(const QvGeVector3d& xAxis, const QvGeVector3d& yAxis,
                             QvGeVector3d& unitX, QvGeVector3d& unitY);

 private:
  QvGePoint3d origin_;
  QvGeVector3d xAxis_{1, 0, 0};
  QvGeVector3d yAxis_{0, 1, 0};
};
