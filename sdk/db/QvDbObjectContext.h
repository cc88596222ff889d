#pragma once

#include "sdk/base/QvString.h"
#include "sdk/rx/QvRxObject.h"

// A context in which an object is shown (an annotation scale, for annotative objects): a value
// in no database, owned by whoever made it.
class QvDbObjectContext : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvDbObjectContext);

  // The collection the context belongs to ("ACDB_ANNOTATIONSCALES" for scales).
  virtual QvString collectionName() const = 0;
  virtual QvString getName() const = 0;
};
