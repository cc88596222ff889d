#pragma once

#include "sdk/db/QvDbSmartBlockReference.h"

// A block reference seen as a reference of a tag block (a block with a tag graph under
// "TAG_ENHANCEDBLOCK").
class QvDbTagBlockReference : public QvDbSmartBlockReference {
 public:
  explicit QvDbTagBlockReference(QvDbObjectId referenceId)
      : QvDbSmartBlockReference(referenceId, QvDbSmartBlockKind::kTag) {}

  using QvDbSmartBlockReference::isDynamicBlock;
  // Whether `id` (a block table record or a block reference) is, or uses, a tag block.
  static bool isDynamicBlock(QvDbObjectId id) {
    return QvDbSmartBlockReference::isDynamicBlock(id, QvDbSmartBlockKind::kTag);
  }
};
