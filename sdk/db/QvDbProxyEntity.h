#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbProxyClass.h"

// An entity of a class that the drawing's reader does not model. The common entity data it
// understands (the layer) is its own; every other group is kept among its file groups
// (QvDbObject::fileGroups) with the ids of the objects they name, so that the drawing, written
// again, holds the entity as it was read. Its geometry is unknown: it neither draws, moves nor
// explodes.
class QvDbProxyEntity : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbProxyEntity);

  QvDbProxyEntity() = default;
  explicit QvDbProxyEntity(QvDbProxyClass original) : original_(std::move(original)) {}

  // The class of the entity in the file.
  const QvDbProxyClass& originalClass() const;
  QvString originalDxfName() const { return originalClass().dxfName; }
  QvString originalClassName() const { return originalClass().className; }
  Vexa::ErrorStatus setOriginalClass(const QvDbProxyClass& original);

 private:
  QvDbProxyClass original_;
};
