#include "sdk/db/QvDbBlockRepresentation.h"

#include "sdk/db/QvDbSmartBlock.h"

bool QvDbBlockRepresentation::hasRepresentation() const {
  return !sourceBlockTableRecordId().isNull();
}

QvDbObjectId QvDbBlockRepresentation::sourceBlockTableRecordId() const {
  return QvDbSmartBlock::representedBy(QvDbSmartBlock::blockOf(reference_));
}
