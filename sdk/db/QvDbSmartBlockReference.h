#pragma once

#include "sdk/db/QvDbSmartBlock.h"

// A view of a block reference as a reference of a dynamic or tag block; the base of
// QvDbDynBlockReference and QvDbTagBlockReference. It holds the reference's id only and opens
// nothing until resetBlock.
class QvDbSmartBlockReference {
 public:
  QvDbSmartBlockReference(QvDbObjectId referenceId, QvDbSmartBlockKind kind)
      : reference_(referenceId), kind_(kind) {}

  QvDbObjectId blockId() const { return reference_; }
  // The reference uses a block of this kind (the definition or one of its representations).
  bool isDynamicBlock() const;
  // The definition the reference stands for; null when it is not of this kind.
  QvDbObjectId dynamicBlockTableRecord() const;
  // The anonymous representation the reference uses; null when it uses the definition itself.
  QvDbObjectId anonymousBlockTableRecord() const;
  // Makes the reference use the definition again (its variation is dropped): the reference
  // is opened for write. eOk when it already does; eNotApplicable when it is not of this kind.
  Vexa::ErrorStatus resetBlock();

 protected:
  static bool isDynamicBlock(QvDbObjectId id, QvDbSmartBlockKind kind);

 private:
  QvDbObjectId reference_;
  QvDbSmartBlockKind kind_;
};
