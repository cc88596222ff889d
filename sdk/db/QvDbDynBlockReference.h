#pragma once

#include "sdk/db/QvDbSmartBlockReference.h"

// A block reference seen as a reference of a dynamic block (a block with an evaluation graph
// under "ACAD_ENHANCEDBLOCK").
class QvDbDynBlockReference : public QvDbSmartBlockReference {
 public:
  explicit QvDbDynBlockReference(QvDbObjectId referenceId)
      : QvDbSmartBlockReference(referenceId, QvDbSmartBlockKind::kDynamic) {}

  using QvDbSmartBlockReference::isDynamicBlock;
  // Whether `id` (a block table record or a block reference) is, or uses, a dynamic block: the
  // definition itself or one of its anonymous representations.
  static bool isDynamicBlock(QvDbObjectId id) {
    return QvDbSmartBlockReference::isDynamicBlock(id, QvDbSmartBlockKind::kDynamic);
  }
};
