#pragma once

#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbProxyClass.h"

// An object of a class that the drawing's reader does not model. It keeps the class the file
// named and every group of the object (its file groups, QvDbObject::fileGroups) with the ids of
// the objects they name, so that the drawing, written again, holds the object as it was read.
// It has an id, an owner, reactors, extended data and an extension dictionary like any object.
class QvDbProxyObject : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbProxyObject);

  QvDbProxyObject() = default;
  explicit QvDbProxyObject(QvDbProxyClass original) : original_(std::move(original)) {}

  // The class of the object in the file.
  const QvDbProxyClass& originalClass() const;
  QvString originalDxfName() const { return originalClass().dxfName; }
  QvString originalClassName() const { return originalClass().className; }
  Vexa::ErrorStatus setOriginalClass(const QvDbProxyClass& original);

 private:
  QvDbProxyClass original_;
};
