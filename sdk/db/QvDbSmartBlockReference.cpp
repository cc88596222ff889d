#include "sdk/db/QvDbSmartBlockReference.h"

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"

bool QvDbSmartBlockReference::isDynamicBlock(QvDbObjectId id, QvDbSmartBlockKind kind) {
  return !QvDbSmartBlock::definitionOf(QvDbSmartBlock::blockOf(id), kind).isNull();
}

bool QvDbSmartBlockReference::isDynamicBlock() const {
  return isDynamicBlock(reference_, kind_);
}

QvDbObjectId QvDbSmartBlockReference::dynamicBlockTableRecord() const {
  return QvDbSmartBlock::definitionOf(QvDbSmartBlock::blockOf(reference_), kind_);
}

QvDbObjectId QvDbSmartBlockReference::anonymousBlockTableRecord() const {
  const QvDbObjectId block = QvDbSmartBlock::blockOf(reference_);
  const QvDbObjectId definition = QvDbSmartBlock::definitionOf(block, kind_);
  return !definition.isNull() && block != definition ? block : QvDbObjectId();
}

Vexa::ErrorStatus QvDbSmartBlockReference::resetBlock() {
  const QvDbObjectId definition = dynamicBlockTableRecord();
  if (definition.isNull()) return Vexa::eNotApplicable;
  if (anonymousBlockTableRecord().isNull()) return Vexa::eOk;
  QvDbObjectPointer<QvDbBlockReference> reference(reference_, QvDb::kForWrite);
  if (reference.openStatus() != Vexa::eOk) return reference.openStatus();
  return reference->setBlockTableRecord(definition);
}
