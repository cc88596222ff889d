#pragma once

#include "sdk/db/QvDbObjectId.h"

class QvDbObject;

// A reactor held in memory (not saved with the drawing): told when the object it watches is
// modified (on close), erased or unerased, and deleted.
class QvDbObjectReactor {
 public:
  virtual ~QvDbObjectReactor() = default;
  virtual void modified(const QvDbObject* object);
  virtual void erased(const QvDbObject* object, bool erasing);
  virtual void goodbye(const QvDbObject* object);
};

// One entry of an object's reactor list: a persistent reactor (another database object, named
// by its id) or a reactor held in memory.
struct QvDbReactorEntry {
  QvDbObjectReactor* transient = nullptr;
  QvDbObjectId persistentId;

  bool isPersistent() const { return transient == nullptr; }
};
