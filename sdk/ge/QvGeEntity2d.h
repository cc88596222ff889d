#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGe.h"

class QvGeMatrix2d;

// Root of the 2D geometry entities (the edges of hatch loops); see QvGeEntity3d.
class QvGeEntity2d {
 public:
  QvGeEntity2d() = default;
  QvGeEntity2d(const QvGeEntity2d&) = default;
  QvGeEntity2d& operator=(const QvGeEntity2d&) = default;
  virtual ~QvGeEntity2d() = default;

  virtual QvGe::EntityId type() const = 0;
  bool isKindOf(QvGe::EntityId kind) const { return QvGe::isKindOf(type(), kind); }
  virtual bool isValid() const { return true; }
  virtual QvGeEntity2d* copy() const = 0;
  virtual Vexa::ErrorStatus transformBy(const QvGeMatrix2d& m) = 0;
};
