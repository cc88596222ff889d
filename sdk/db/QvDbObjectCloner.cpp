#include "sdk/db/QvDbObjectCloner.h"

#include <algorithm>
#include <unordered_set>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"

namespace {

// The ids an object owns.
class OwnedIds : public QvDbIdVisitor {
 public:
  void visit(QvDbObjectId& id, Kind kind) override {
    if ((kind == kHardOwner || kind == kSoftOwner) && !id.isNull()) ids.push_back(id);
  }
  std::vector<QvDbObjectId> ids;
};

}  // namespace

// Rewrites the ids of one clone through the mapping.
class QvDbObjectCloner::Translator : public QvDbIdVisitor {
 public:
  explicit Translator(QvDbObjectCloner& cloner) : cloner_(cloner) {}

  void visit(QvDbObjectId& id, Kind kind) override {
    if (id.isNull()) return;
    QvDbIdPair pair(id, QvDbObjectId(), false);
    if (cloner_.map_.compute(pair)) {
      id = pair.value();
      return;
    }
    const bool owned = kind == kHardOwner || kind == kSoftOwner;
    if (id.database() == cloner_.dest_) {
      if (owned) id.setNull();  // an owned object that was not cloned cannot be shared
      return;
    }
    // A source object across databases.
    id = (kind == kHardPointer) ? cloner_.resolveAcross(id) : QvDbObjectId();
  }

 private:
  QvDbObjectCloner& cloner_;
};

QvDbObjectCloner::QvDbObjectCloner(QvDbDatabase* source, QvDbDatabase* dest, Mode mode,
                                   QvDbIdMapping& map)
    : source_(source), dest_(dest), mode_(mode), map_(map) {
  map_.setOrigDb(source);
  map_.setDestDb(dest);
}

QvDbObjectCloner::~QvDbObjectCloner() {
  closeAll();
}

void QvDbObjectCloner::mapTo(QvDbObjectId sourceId, QvDbObjectId destId) {
  map_.assign(QvDbIdPair(sourceId, destId, false));
}

QvDbObject* QvDbObjectCloner::cloneOf(QvDbObjectId cloneId) const {
  const QvDbObjectStub* stub = cloneId.stub();
  return stub ? stub->object : nullptr;
}

void QvDbObjectCloner::closeAll() {
  for (QvDbObject* clone : openClones_) clone->close();
  openClones_.clear();
}

Vexa::ErrorStatus QvDbObjectCloner::cloneObject(QvDbObjectId sourceId, bool primary,
                                                QvDbObject*& clone) {
  clone = nullptr;
  QvDbObject* source = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(source, sourceId, QvDb::kForRead, !primary);
      es != Vexa::eOk)
    return es;
  QvDbObject* copy = source->copyState();
  copy->extDictId_ = source->extDictId_;
  for (const QvDbReactorEntry& entry : source->reactors_)
    if (entry.isPersistent()) copy->reactors_.push_back(entry);
  if (auto* block = QvDbBlockTableRecord::cast(copy)) block->layoutId_.setNull();
  OwnedIds owned;
  source->visitIds(owned);
  const bool erased = sourceId.isErased();
  source->close();

  QvDbObjectId cloneId;
  if (const Vexa::ErrorStatus es = dest_->addQvDbObject(cloneId, copy); es != Vexa::eOk) {
    delete copy;
    return es;
  }
  openClones_.push_back(copy);
  // An erased object brought along by its owner stays erased.
  if (erased) cloneId.stub()->erased = true;
  map_.assign(QvDbIdPair(sourceId, cloneId, true, primary));
  for (const QvDbObjectId& id : owned.ids) pending_.push_back({id, cloneId});
  clone = copy;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::cloneQueuedOwned() {
  while (!pending_.empty()) {
    const Pending next = pending_.back();
    pending_.pop_back();
    QvDbIdPair pair(next.source, QvDbObjectId(), false);
    if (map_.compute(pair) || next.source.isNull() || !next.source.isValid()) continue;
    QvDbObject* clone = nullptr;
    if (const Vexa::ErrorStatus es = cloneObject(next.source, false, clone); es != Vexa::eOk)
      return es;
    clone->ownerId_ = next.ownerClone;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::placeInOwner(QvDbObject* owner, QvDbObject* clone,
                                                 QvDbObjectId sourceId) {
  const QvDbObjectId cloneId = clone->objectId();
  if (auto* block = QvDbBlockTableRecord::cast(owner)) {
    if (!QvDbEntity::cast(clone)) return Vexa::eWrongObjectType;
    block->entities_.push_back(cloneId);
  } else if (auto* dict = QvDbDictionary::cast(owner)) {
    // Under the source's key; a taken key gets a number.
    QvString key;
    const QvDbObjectStub* sourceOwner = sourceId.stub()->object->ownerId().stub();
    if (const auto* sourceDict =
            sourceOwner ? QvDbDictionary::cast(sourceOwner->object) : nullptr) {
      for (const auto& [upper, entry] : sourceDict->entries_)
        if (entry.id == sourceId) key = entry.key;
    }
    if (key.isEmpty()) key = sourceId.handle().ascii();
    QvString free = key;
    for (int n = 1; dict->findLive(free.c_str()); ++n)
      free = QvString::format(L"%ls_%d", key.c_str(), n);
    dict->entries_[QvDbDictionary::keyOf(free.c_str())] = QvDbDictionary::Entry{free, cloneId};
  } else if (auto* table = QvDbSymbolTable::cast(owner)) {
    auto* record = QvDbSymbolTableRecord::cast(clone);
    if (!record || !record->isKindOf(table->recordClass())) return Vexa::eWrongObjectType;
    QvString name = record->name_;
    if (qvdbGetSymbolSvc()->isAnonymousBlockName(name) && table->isAnonymousPrefix(name.left(2)))
      name = dest_->newAnonymousName(name.left(2), table);
    if (!table->findLive(name).isNull()) return Vexa::eDuplicateKey;
    record->name_ = name;
    table->records_.push_back(cloneId);
    table->index_[QvDbSymbolTable::keyOf(name)] = cloneId;
  } else {
    return Vexa::eWrongObjectType;
  }
  clone->ownerId_ = owner->objectId();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::clonePrimaries(const QvDbObjectIdArray& ids,
                                                   QvDbObjectId ownerId) {
  QvDbObjectPointer<QvDbObject> owner(ownerId, QvDb::kForWrite);
  if (owner.openStatus() != Vexa::eOk) return owner.openStatus();
  if (const Vexa::ErrorStatus es = owner->assertWriteEnabled(); es != Vexa::eOk) return es;
  QvDbIdPair ownerPair(ownerId, QvDbObjectId(), false);
  if (!map_.compute(ownerPair)) mapTo(ownerId, ownerId);
  const size_t more = static_cast<size_t>(ids.length());
  map_.pairs_.reserve(map_.pairs_.size() + more);
  map_.index_.reserve(map_.index_.size() + more);
  dest_->transactionManager()->expectAdditions(more);
  for (const QvDbObjectId& id : ids) {
    if (id.isNull()) return Vexa::eNullObjectId;
    if (id.database() != source_) return Vexa::eWrongDatabase;
    QvDbIdPair pair(id, QvDbObjectId(), false);
    if (map_.compute(pair) && pair.isCloned()) continue;  // asked for twice
    QvDbObject* clone = nullptr;
    if (const Vexa::ErrorStatus es = cloneObject(id, true, clone); es != Vexa::eOk) return es;
    if (const Vexa::ErrorStatus es = placeInOwner(owner.object(), clone, id); es != Vexa::eOk)
      return es;
    if (const Vexa::ErrorStatus es = cloneQueuedOwned(); es != Vexa::eOk) return es;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::translate() {
  Translator translator(*this);
  // Bringing records along adds pairs; the walk takes them in as it goes.
  for (size_t i = 0; i < map_.pairs_.size(); ++i) {
    const QvDbIdPair pair = map_.pairs_[i];
    if (!pair.isCloned()) continue;
    QvDbObject* clone = cloneOf(pair.value());
    if (!clone) continue;
    // Reactors that did not come along are dropped.
    std::vector<QvDbReactorEntry> reactors = std::move(clone->reactors_);
    clone->reactors_.clear();
    clone->visitIds(translator);
    for (QvDbReactorEntry& entry : reactors) {
      QvDbIdPair reactor(entry.persistentId, QvDbObjectId(), false);
      if (map_.compute(reactor) && !reactor.value().isNull()) {
        entry.persistentId = reactor.value();
        clone->reactors_.push_back(entry);
      }
    }
    if (failure_ != Vexa::eOk) return failure_;
    if (const Vexa::ErrorStatus es = cloneQueuedOwned(); es != Vexa::eOk) return es;
  }
  // Once every object is cloned: a handle may name an object cloned after the one holding it.
  for (const QvDbIdPair& pair : map_.pairs_) {
    if (QvDbObject* clone = pair.isCloned() ? cloneOf(pair.value()) : nullptr)
      translateXDataHandles(*clone);
  }
  if (const Vexa::ErrorStatus es = joinDefinitions(); es != Vexa::eOk) return es;
  if (mode_ == Mode::kAcrossDatabases) return registerApplications();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::joinDefinitions() {
  for (size_t i = 0; i < map_.pairs_.size(); ++i) {
    const QvDbIdPair pair = map_.pairs_[i];
    const auto* ref =
        pair.isCloned() ? QvDbUnderlayReference::cast(cloneOf(pair.value())) : nullptr;
    if (!ref || ref->definitionId().isNull()) continue;
    const QvDbObjectId defId = ref->definitionId();
    // A definition cloned here is open with the clones.
    QvDbObject* open = cloneOf(defId);
    if (open && std::find(openClones_.begin(), openClones_.end(), open) != openClones_.end()) {
      if (const Vexa::ErrorStatus es = open->addPersistentReactor(pair.value()); es != Vexa::eOk)
        return es;
      continue;
    }
    QvDbObjectPointer<QvDbUnderlayDefinition> def(defId, QvDb::kForWrite);
    if (!def) return def.openStatus();
    if (const Vexa::ErrorStatus es = def->addPersistentReactor(pair.value()); es != Vexa::eOk)
      return es;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::resolveDefinitionAcross(QvDbObjectId sourceId,
                                                            QvDbObjectId& destId) {
  destId.setNull();
  QvString key, file, item;
  const QvRxClass* cls = nullptr;
  QvDbUnderlayFormat format = QvDbUnderlayFormat::kPdf;
  {
    QvDbObjectPointer<QvDbUnderlayDefinition> source(sourceId, QvDb::kForRead);
    if (!source) return source.openStatus();
    format = source->format();
    file = source->getSourceFileName();
    item = source->getItemName();
    cls = source->isA();
    QvDbObjectPointer<QvDbDictionary> sourceDict(source->ownerId(), QvDb::kForRead);
    if (sourceDict) sourceDict->nameAt(sourceId, key);
  }
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = QvDbUnderlayDefinition::makeDictionary(dest_, format, dictId);
      es != Vexa::eOk)
    return es;
  // The destination's definition of that key, file and item stands for it.
  QvDbObjectId existing;
  if (!key.isEmpty()) {
    QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForRead);
    if (!dict) return dict.openStatus();
    dict->getAt(key.c_str(), existing);
  }
  if (!existing.isNull()) {
    QvDbObjectPointer<QvDbUnderlayDefinition> def(existing, QvDb::kForRead);
    if (def && def->isA() == cls && def->getSourceFileName() == file &&
        def->getItemName().isEqualNoCase(item)) {
      mapTo(sourceId, existing);
      destId = existing;
      return Vexa::eOk;
    }
  }
  return cloneAcrossInto(dictId, sourceId, destId);
}

void QvDbObjectCloner::translateXDataHandles(QvDbObject& clone) {
  clone.xdata_.forEachRecord([this](resbuf& rb) {
    QvDbHandle handle;
    if (rb.type != kGcXDataHandle || !QvDbHandle::fromAscii(rb.value.string, handle)) return;
    QvDbObjectId sourceId;
    if (source_->getQvDbObjectId(sourceId, false, handle) != Vexa::eOk) return;
    QvDbIdPair pair(sourceId, QvDbObjectId(), false);
    if (!map_.compute(pair) || !pair.isCloned() || pair.value().isNull()) return;
    qvutSetRbString(&rb, pair.value().handle().ascii().c_str());
  });
}

QvDbObjectId QvDbObjectCloner::resolveAcross(QvDbObjectId sourceId) {
  if (failure_ != Vexa::eOk || mode_ != Mode::kAcrossDatabases) return QvDbObjectId();
  const QvDbObjectStub* stub = sourceId.stub();
  if (stub && stub->object && stub->database == source_ &&
      QvDbUnderlayDefinition::cast(stub->object)) {
    QvDbObjectId destId;
    failure_ = resolveDefinitionAcross(sourceId, destId);
    return destId;
  }
  const auto* record = stub && stub->object ? QvDbSymbolTableRecord::cast(stub->object) : nullptr;
  if (!record || stub->database != source_) return QvDbObjectId();
  const QvDbObject* table = source_->peek(record->ownerId());
  int kind = -1;
  for (int k = 0; k < QvDbDatabase::kTableCount; ++k)
    if (table && table->isA() == QvDbDatabase::tableClass(k)) kind = k;
  if (kind < 0) return QvDbObjectId();

  const QvString& name = record->name_;
  const bool anonymous =
      kind == QvDbDatabase::kBlockTable && qvdbGetSymbolSvc()->isAnonymousBlockName(name);
  if (kind == QvDbDatabase::kBlockTable && !anonymous &&
      (name.compareNoCase(kQvDbModelSpace) == 0 ||
       name.left(12).compareNoCase(kQvDbPaperSpace) == 0))
    return QvDbObjectId();  // another drawing's spaces have no counterpart here
  const QvString destName = anonymous ? name : dependentName(kind, name);
  if (!anonymous) {
    const QvDbObjectId existing = dest_->findSymbolRecord(kind, destName);
    if (!existing.isNull()) {
      mapTo(sourceId, existing);
      return existing;
    }
  }
  QvDbObjectId cloneId;
  failure_ = cloneAcrossInto(dest_->tables_[kind], sourceId, cloneId, destName);
  return cloneId;
}

QvString QvDbObjectCloner::dependentName(int kind, const QvString& name) const {
  if (dependentPrefix_.isEmpty()) return name;
  switch (kind) {
    case QvDbDatabase::kLayerTable:
      if (name == L"0") return name;
      break;
    case QvDbDatabase::kLinetypeTable:
      if (name.isEqualNoCase(L"ByBlock") || name.isEqualNoCase(L"ByLayer") ||
          name.isEqualNoCase(L"Continuous"))
        return name;
      break;
    case QvDbDatabase::kTextStyleTable:
    case QvDbDatabase::kDimStyleTable:
    case QvDbDatabase::kBlockTable:
      break;
    default:
      return name;
  }
  return dependentPrefix_ + L"|" + name;
}

Vexa::ErrorStatus QvDbObjectCloner::cloneAcrossInto(QvDbObjectId ownerId, QvDbObjectId sourceId,
                                                    QvDbObjectId& cloneId,
                                                    const QvString& recordName) {
  QvDbObjectPointer<QvDbObject> owner(ownerId, QvDb::kForWrite);
  if (owner.openStatus() != Vexa::eOk) return owner.openStatus();
  if (const Vexa::ErrorStatus es = owner->assertWriteEnabled(); es != Vexa::eOk) return es;
  QvDbObject* clone = nullptr;
  if (const Vexa::ErrorStatus es = cloneObject(sourceId, false, clone); es != Vexa::eOk) return es;
  if (auto* record = QvDbSymbolTableRecord::cast(clone); record && !recordName.isEmpty())
    record->name_ = recordName;
  if (const Vexa::ErrorStatus es = placeInOwner(owner.object(), clone, sourceId); es != Vexa::eOk)
    return es;
  cloneId = clone->objectId();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObjectCloner::registerApplications() {
  std::vector<QvString> missing;
  for (const QvDbIdPair& pair : map_.pairs_) {
    const QvDbObject* clone = pair.isCloned() ? cloneOf(pair.value()) : nullptr;
    if (!clone) continue;
    for (int i = 0; i < clone->xdata_.numSections(); ++i) {
      const QvString app = clone->xdata_.applicationAt(i);
      if (!dest_->findSymbolRecord(QvDbDatabase::kRegAppTable, app).isNull()) continue;
      bool listed = false;
      for (const QvString& m : missing) listed = listed || m.compareNoCase(app) == 0;
      if (!listed) missing.push_back(app);
    }
  }
  if (missing.empty()) return Vexa::eOk;
  QvDbRegAppTable* table = nullptr;
  if (const Vexa::ErrorStatus es = dest_->getSymbolTable(table, QvDb::kForWrite); es != Vexa::eOk)
    return es;
  Vexa::ErrorStatus result = Vexa::eOk;
  for (const QvString& app : missing) {
    auto* record = new QvDbRegAppTableRecord();
    record->setName(app.c_str());
    if (const Vexa::ErrorStatus es = table->add(record); es != Vexa::eOk) {
      delete record;
      result = es;
      break;
    }
    record->close();
  }
  table->close();
  return result;
}
