#pragma once

#include "sdk/db/QvDbObjectId.h"

// The block representation of a reference: whether the reference uses an anonymous
// representation of a dynamic or tag block, and the definition it was made from.
class QvDbBlockRepresentation {
 public:
  explicit QvDbBlockRepresentation(QvDbObjectId referenceId) : reference_(referenceId) {}

  bool hasRepresentation() const;
  // The definition the representation was made from; null without a representation.
  QvDbObjectId sourceBlockTableRecordId() const;

 private:
  QvDbObjectId reference_;
};
