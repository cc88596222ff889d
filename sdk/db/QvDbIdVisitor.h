#pragma once

#include "sdk/db/QvDbObjectId.h"

// Walks the ids an object holds, with what each one means. Cloning follows owned ids and
// translates the others; purging counts hard pointers as uses. A visitor may replace the id it
// is shown.
class QvDbIdVisitor {
 public:
  enum Kind {
    kHardOwner,    // owns the object: it goes where its owner goes
    kSoftOwner,    // owns the object, which may also stand alone
    kHardPointer,  // uses the object: it must exist while this one does
    kSoftPointer,  // names the object without needing it
  };

  virtual ~QvDbIdVisitor() = default;
  virtual void visit(QvDbObjectId& id, Kind kind) = 0;
};
