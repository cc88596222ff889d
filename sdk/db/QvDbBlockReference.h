#pragma once

#include "sdk/db/QvDbEntity.h"

// A reference to a block definition. The database keeps the link to the block (what purging,
// inserting and the dynamic-block services need); placement, attributes and drawing come with
// the entity classes.
class QvDbBlockReference : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbBlockReference);

  QvDbBlockReference() = default;
  explicit QvDbBlockReference(QvDbObjectId blockTableRecord) : block_(blockTableRecord) {}

  QvDbObjectId blockTableRecord() const;
  // A block table record of the reference's database (eWrongObjectType, eWrongDatabase).
  Vexa::ErrorStatus setBlockTableRecord(QvDbObjectId blockId);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  QvDbObjectId block_;
};
