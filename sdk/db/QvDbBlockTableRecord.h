#pragma once

#include <vector>

#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbBlockTableRecordIterator;
class QvDbEntity;
class QvDbSortentsTable;

// A block definition, or a space ("*Model_Space", the layouts' "*Paper_Space..."). It owns its
// entities and keeps them in the order they were appended, which is also their draw order
// unless its sort-entities table says otherwise.
class QvDbBlockTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbBlockTableRecord);

  QvDbBlockTableRecord() = default;

  // Appends an entity (in no database, or resident in this database without owner) and leaves
  // it open for write; the caller closes it. The record must be open for write and live
  // (eWasErased). An entity without layer takes the drawing's current layer; one whose layer
  // is in another database is refused (eWrongDatabase).
  Vexa::ErrorStatus appendQvDbEntity(QvDbEntity* entity);
  Vexa::ErrorStatus appendQvDbEntity(QvDbObjectId& id, QvDbEntity* entity);
  // Walks the entities in order (the caller deletes the iterator).
  Vexa::ErrorStatus newIterator(QvDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  // Whether a live attribute definition is among the entities.
  bool hasAttributeDefinitions() const;
  // The live entities' ids, in order.
  QvDbObjectIdArray entityIds() const;

  // Definition settings. The origin is the point of the definition that a reference places at
  // its position.
  QvGePoint3d origin() const;
  Vexa::ErrorStatus setOrigin(const QvGePoint3d& origin);  // finite coordinates
  QvString comments() const;
  Vexa::ErrorStatus setComments(const wchar_t* text);
  QvString pathName() const;  // the file of an external reference
  Vexa::ErrorStatus setPathName(const wchar_t* path);
  bool explodable() const;
  Vexa::ErrorStatus setExplodable(bool explodable);
  QvDb::BlockScaling blockScaling() const;
  Vexa::ErrorStatus setBlockScaling(QvDb::BlockScaling scaling);
  QvDb::UnitsValue blockInsertUnits() const;
  Vexa::ErrorStatus setBlockInsertUnits(QvDb::UnitsValue units);  // 0 to 24

  // Kind.
  bool isLayout() const;
  QvDbObjectId getLayoutId() const;
  Vexa::ErrorStatus setLayoutId(QvDbObjectId layoutId);
  bool isAnonymous() const;
  bool isFromExternalReference() const;
  bool isFromOverlayReference() const;
  Vexa::ErrorStatus setExternalReference(bool fromXref, bool overlay);

  // The sort-entities table kept in the extension dictionary under "ACAD_SORTENTS". Without
  // createIfNecessary a record without one answers eKeyNotFound; making one needs the record
  // open for write.
  Vexa::ErrorStatus getSortentsTable(QvDbSortentsTable*& table, QvDb::OpenMode mode,
                                     bool createIfNecessary = false);
  // The live block references whose block is this record. Not directOnly: also those of
  // every block that holds such a reference, at any depth.
  Vexa::ErrorStatus getBlockReferenceIds(QvDbObjectIdArray& ids, bool directOnly = true) const;

  bool acceptsSpecialName(const QvString& name) const override;
  bool isRenamable() const override;
  // A copy of the settings, without entities.
  QvDbObject* clone() const override;
  // The record's entities stay; only the settings are taken.
  bool copyFrom(const QvRxObject* other) override;
  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  friend class QvDbBlockTableRecordIterator;
  friend class QvDbSortentsTable;
  friend class QvDbDatabase;
  friend class QvDbLayoutManager;
  friend class QvDbObjectCloner;
  friend class QvDbSmartBlock;

  std::vector<QvDbObjectId> entities_;
  QvGePoint3d origin_;
  QvString comments_;
  QvString pathName_;
  bool explodable_ = true;
  bool fromXref_ = false;
  bool overlay_ = false;
  QvDb::BlockScaling scaling_ = QvDb::kAny;
  QvDb::UnitsValue units_ = QvDb::kUnitsUndefined;
  QvDbObjectId layoutId_;
};
