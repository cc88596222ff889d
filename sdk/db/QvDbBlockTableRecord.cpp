#include "sdk/db/QvDbBlockTableRecord.h"

#include <cmath>
#include <unordered_set>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbBlockTableRecord)

namespace {

constexpr const wchar_t* kSortentsKey = L"ACAD_SORTENTS";

// Collects the hard pointers an object holds.
class HardPointers : public QvDbIdVisitor {
 public:
  void visit(QvDbObjectId& id, Kind kind) override {
    if (kind == kHardPointer) ids.push_back(id);
  }
  std::vector<QvDbObjectId> ids;
};

}  // namespace

// Contents.

Vexa::ErrorStatus QvDbBlockTableRecord::appendQvDbEntity(QvDbEntity* entity) {
  QvDbObjectId id;
  return appendQvDbEntity(id, entity);
}

Vexa::ErrorStatus QvDbBlockTableRecord::appendQvDbEntity(QvDbObjectId& id, QvDbEntity* entity) {
  id.setNull();
  if (!entity) return Vexa::eNullPtr;
  if (!isWriteEnabled()) return assertWriteEnabled();
  QvDbDatabase* db = database();
  if (!db) return Vexa::eNotInDatabase;
  if (isErased()) return Vexa::eWasErased;
  if (const Vexa::ErrorStatus es = vexaFaultStatus("QvDbBlockTableRecord::appendQvDbEntity");
      es != Vexa::eOk)
    return es;
  if (entity->isResident()) {
    if (entity->database() != db) return Vexa::eWrongDatabase;
    if (!entity->ownerId().isNull()) return Vexa::eAlreadyInDb;
    if (!entity->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  }
  const QvDbObjectId layer = entity->layerId();
  if (!layer.isNull() && layer.database() != db) return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!entity->isResident()) {
    if (const Vexa::ErrorStatus es = db->addQvDbObject(id, entity); es != Vexa::eOk) return es;
  } else {
    id = entity->objectId();
  }
  if (layer.isNull() && !db->clayer().isNull()) entity->setLayer(db->clayer());
  entity->setOwnerId(objectId());
  entities_.push_back(id);
  // Sub-entities the entity held in memory (vertices, attributes) join with it.
  return entity->subAppendedToDatabase();
}

Vexa::ErrorStatus QvDbBlockTableRecord::newIterator(QvDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
  iterator = nullptr;
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  iterator = new QvDbBlockTableRecordIterator(objectId());
  iterator->start(atBeginning, skipDeleted);
  return Vexa::eOk;
}

bool QvDbBlockTableRecord::hasAttributeDefinitions() const {
  assertReadEnabled();
  const QvRxClass* attdef = QvDbAttributeDefinition::desc();
  for (const QvDbObjectId& id : entities_) {
    if (id.isErased()) continue;
    const QvRxClass* cls = id.objectClass();
    if (cls && attdef && cls->isDerivedFrom(attdef)) return true;
  }
  return false;
}

QvDbObjectIdArray QvDbBlockTableRecord::entityIds() const {
  assertReadEnabled();
  QvDbObjectIdArray ids(static_cast<int>(entities_.size()));
  for (const QvDbObjectId& id : entities_)
    if (!id.isErased()) ids.append(id);
  return ids;
}

// Settings.

QvGePoint3d QvDbBlockTableRecord::origin() const {
  assertReadEnabled();
  return origin_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setOrigin(const QvGePoint3d& origin) {
  if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || !std::isfinite(origin.z))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  origin_ = origin;
  return Vexa::eOk;
}

QvString QvDbBlockTableRecord::comments() const {
  assertReadEnabled();
  return comments_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setComments(const wchar_t* text) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  comments_ = QvString(text);
  return Vexa::eOk;
}

QvString QvDbBlockTableRecord::pathName() const {
  assertReadEnabled();
  return pathName_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setPathName(const wchar_t* path) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  pathName_ = QvString(path);
  return Vexa::eOk;
}

bool QvDbBlockTableRecord::explodable() const {
  assertReadEnabled();
  return explodable_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setExplodable(bool explodable) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  explodable_ = explodable;
  return Vexa::eOk;
}

QvDb::BlockScaling QvDbBlockTableRecord::blockScaling() const {
  assertReadEnabled();
  return scaling_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setBlockScaling(QvDb::BlockScaling scaling) {
  if (scaling != QvDb::kAny && scaling != QvDb::kUniform) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  scaling_ = scaling;
  return Vexa::eOk;
}

QvDb::UnitsValue QvDbBlockTableRecord::blockInsertUnits() const {
  assertReadEnabled();
  return units_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setBlockInsertUnits(QvDb::UnitsValue units) {
  if (units < QvDb::kUnitsUndefined || units > QvDb::kUnitsMax) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  units_ = units;
  return Vexa::eOk;
}

// Kind.

bool QvDbBlockTableRecord::isLayout() const {
  assertReadEnabled();
  return !layoutId_.isNull();
}

QvDbObjectId QvDbBlockTableRecord::getLayoutId() const {
  assertReadEnabled();
  return layoutId_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setLayoutId(QvDbObjectId layoutId) {
  if (!layoutId.isNull() && isResident() && layoutId.database() != database())
    return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  layoutId_ = layoutId;
  return Vexa::eOk;
}

bool QvDbBlockTableRecord::isAnonymous() const {
  assertReadEnabled();
  return qvdbGetSymbolSvc()->isAnonymousBlockName(storedName());
}

bool QvDbBlockTableRecord::isFromExternalReference() const {
  assertReadEnabled();
  return fromXref_;
}

bool QvDbBlockTableRecord::isFromOverlayReference() const {
  assertReadEnabled();
  return fromXref_ && overlay_;
}

Vexa::ErrorStatus QvDbBlockTableRecord::setExternalReference(bool fromXref, bool overlay) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  fromXref_ = fromXref;
  overlay_ = fromXref && overlay;
  return Vexa::eOk;
}

// Draw order and references.

Vexa::ErrorStatus QvDbBlockTableRecord::getSortentsTable(QvDbSortentsTable*& table,
                                                         QvDb::OpenMode mode,
                                                         bool createIfNecessary) {
  table = nullptr;
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!isResident()) return Vexa::eNotInDatabase;
  QvDbObjectId dictId = extensionDictionary();
  if (dictId.isNull() || dictId.isErased()) {
    if (!createIfNecessary) return Vexa::eKeyNotFound;
    if (const Vexa::ErrorStatus es = createExtensionDictionary(); es != Vexa::eOk) return es;
    dictId = extensionDictionary();
  }
  QvDbDictionary* dict = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(dict, dictId, QvDb::kForRead); es != Vexa::eOk)
    return es;
  QvDbObjectId tableId;
  const bool found = dict->getAt(kSortentsKey, tableId) == Vexa::eOk;
  dict->close();
  if (found) return qvdbOpenObject(table, tableId, mode);
  if (!createIfNecessary) return Vexa::eKeyNotFound;
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (const Vexa::ErrorStatus es = qvdbOpenObject(dict, dictId, QvDb::kForWrite); es != Vexa::eOk)
    return es;
  auto* made = new QvDbSortentsTable();
  made->setBlockId(objectId());
  const Vexa::ErrorStatus es = dict->setAt(kSortentsKey, made, tableId);
  dict->close();
  if (es != Vexa::eOk) {
    delete made;
    return es;
  }
  if (mode == QvDb::kForRead) made->downgradeOpen();
  if (mode == QvDb::kForNotify) {
    made->close();
    return qvdbOpenObject(table, tableId, mode);
  }
  table = made;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockTableRecord::getBlockReferenceIds(QvDbObjectIdArray& ids,
                                                             bool directOnly) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const QvDbDatabase* db = database();
  if (!db) return Vexa::eNotInDatabase;
  // One pass over the database finds every live reference and its block.
  std::vector<std::pair<QvDbObjectId, QvDbObjectId>> references;  // (reference, its block)
  const QvDbObjectIdArray all = db->objectIds();
  for (const QvDbObjectId& id : all) {
    auto* reference = QvDbBlockReference::cast(id.stub()->object);
    if (!reference) continue;
    HardPointers pointers;
    reference->visitIds(pointers);
    for (const QvDbObjectId& target : pointers.ids)
      if (target.objectClass() == QvDbBlockTableRecord::desc()) references.push_back({id, target});
  }
  std::unordered_set<QvDbObjectId> blocks{objectId()};
  std::unordered_set<QvDbObjectId> found;
  std::vector<QvDbObjectId> pending{objectId()};
  while (!pending.empty()) {
    const QvDbObjectId block = pending.back();
    pending.pop_back();
    for (const auto& [reference, target] : references) {
      if (target != block || !found.insert(reference).second) continue;
      ids.append(reference);
      if (directOnly) continue;
      const QvDbObjectStub* refStub = reference.stub();
      const QvDbObjectId owner = refStub->object->ownerId();
      const auto* ownerRecord =
          owner.stub() ? QvDbBlockTableRecord::cast(owner.stub()->object) : nullptr;
      if (ownerRecord && ownerRecord->layoutId_.isNull() && !owner.isErased() &&
          blocks.insert(owner).second)
        pending.push_back(owner);
    }
  }
  return Vexa::eOk;
}

// Names and copies.

bool QvDbBlockTableRecord::acceptsSpecialName(const QvString& name) const {
  if (name.compareNoCase(kQvDbModelSpace) == 0) return true;
  if (name.left(12).compareNoCase(kQvDbPaperSpace) == 0) {
    for (int i = 12; i < name.length(); ++i)
      if (name.getAt(i) < L'0' || name.getAt(i) > L'9') return false;
    return true;
  }
  return qvdbGetSymbolSvc()->isAnonymousBlockName(name);
}

bool QvDbBlockTableRecord::isRenamable() const {
  const QvString& name = storedName();
  return QvDbSymbolTableRecord::isRenamable() && name.compareNoCase(kQvDbModelSpace) != 0 &&
         name.left(12).compareNoCase(kQvDbPaperSpace) != 0;
}

QvDbObject* QvDbBlockTableRecord::clone() const {
  auto* copy = static_cast<QvDbBlockTableRecord*>(QvDbSymbolTableRecord::clone());
  copy->entities_.clear();
  copy->layoutId_.setNull();
  return copy;
}

bool QvDbBlockTableRecord::copyFrom(const QvRxObject* other) {
  std::vector<QvDbObjectId> entities = entities_;
  const QvDbObjectId layout = layoutId_;
  if (!QvDbSymbolTableRecord::copyFrom(other)) return false;
  entities_ = std::move(entities);
  layoutId_ = layout;
  return true;
}

void QvDbBlockTableRecord::visitIds(QvDbIdVisitor& visitor) {
  QvDbSymbolTableRecord::visitIds(visitor);
  for (QvDbObjectId& id : entities_) visitor.visit(id, QvDbIdVisitor::kHardOwner);
  if (!layoutId_.isNull()) visitor.visit(layoutId_, QvDbIdVisitor::kSoftPointer);
}
