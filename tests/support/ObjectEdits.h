#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectPointer.h"

// Erases an object of a drawing: opens it for write, erases it and closes it again. The status
// of the open when it fails, else that of the erase.
inline Vexa::ErrorStatus eraseObject(QvDbObjectId id) {
  QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
  return object ? object->erase() : object.openStatus();
}
