#pragma once

#include "sdk/db/QvDbSmartBlock.h"

// Services over the references and representations of dynamic and tag blocks.
class QvDbSmartBlockGlobals {
 public:
  // Every live reference of the definition `blockId` and of its anonymous representations, in
  // that order; for a block that is not of the kind, the references of the block alone.
  static Vexa::ErrorStatus getBlockAllReferences(
      QvDbObjectId blockId, QvDbObjectIdArray& ids,
      QvDbSmartBlockKind kind = QvDbSmartBlockKind::kDynamic);
  // The live anonymous representations of a definition.
  static Vexa::ErrorStatus getAnonymousBlockIds(QvDbObjectId blockId, QvDbObjectIdArray& ids);
  // Makes an anonymous representation of a dynamic or tag block (see QvDbSmartBlock).
  static Vexa::ErrorStatus createAnonymousRepresentation(QvDbObjectId blockId,
                                                         QvDbObjectId& representationId);
};
