#include "sdk/db/QvDbObject.h"

#include <algorithm>
#include <typeinfo>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbOpenRules.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/db/detail/DetachedContexts.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbObject)

QvDbObject::QvDbObject() = default;

QvDbObject::QvDbObject(const QvDbObject& other)
    : QvGiDrawable(other), xdata_(other.xdata_), fileGroups_(other.fileGroups_) {}

QvDbObject& QvDbObject::operator=(const QvDbObject& other) {
  if (this != &other) {
    xdata_ = other.xdata_;
    fileGroups_ = other.fileGroups_;
  }
  return *this;
}

QvDbObject::~QvDbObject() {
  qvdb_detail::forgetDetachedContexts(this);
  for (const QvDbReactorEntry& entry : reactors_)
    if (!entry.isPersistent()) entry.transient->goodbye(this);
  if (stub_) {
    // A resident object deleted by hand: the database forgets it rather than keep a dangling
    // pointer, and counts the mistake.
    QvDbObjectStub* stub = stub_;
    stub->database->recordViolation(stub, "delete of an object owned by the database");
    if (stub->isOpen()) stub->database->noteOpenChange(false);
    stub->readers = 0;
    stub->notifiers = 0;
    stub->writer = false;
    stub->object = nullptr;
    stub->removed = true;
  }
}

QvDbObject* QvDbObject::copyState() const {
  return new QvDbObject(*this);
}

void QvDbObject::takeState(const QvDbObject& from) {
  *this = from;
}

// Identity.

QvDbObjectId QvDbObject::objectId() const {
  return QvDbObjectId(stub_);
}

QvDbDatabase* QvDbObject::database() const {
  return stub_ ? stub_->database : nullptr;
}

QvDbHandle QvDbObject::handle() const {
  return stub_ ? stub_->handle : QvDbHandle();
}

Vexa::ErrorStatus QvDbObject::setOwnerId(QvDbObjectId owner) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (stub_ && !owner.isNull() && owner.database() != stub_->database) return Vexa::eWrongDatabase;
  ownerId_ = owner;
  return Vexa::eOk;
}

// Open state.

bool QvDbObject::isReadEnabled() const {
  return !stub_ || stub_->isOpen();
}

bool QvDbObject::isWriteEnabled() const {
  return !stub_ || stub_->writer;
}

bool QvDbObject::isNotifyEnabled() const {
  return !stub_ || stub_->notifiers != 0;
}

bool QvDbObject::isErased() const {
  return stub_ && (stub_->erased || stub_->removed);
}

bool QvDbObject::isModified() const {
  return stub_ && stub_->modified;
}

Vexa::ErrorStatus QvDbObject::close() {
  if (!stub_) return Vexa::eNotInDatabase;
  if (stub_->notifiers == 0 && stub_->writer && stub_->modified && !stub_->removed) subClose();
  return QvDbOpenRules::close(stub_);
}

void QvDbObject::subClose() {}

Vexa::ErrorStatus QvDbObject::upgradeOpen() {
  if (!stub_) return Vexa::eOk;
  if (stub_->writer) return Vexa::eWasOpenForWrite;
  if (stub_->readers == 0) {
    stub_->database->recordViolation(stub_, "upgradeOpen of an object that is not open");
    return Vexa::eNotOpenForRead;
  }
  if (stub_->readers > 1) return Vexa::eWasOpenForRead;
  if (stub_->notifiers != 0) return Vexa::eWasOpenForNotify;
  stub_->readers = 0;
  stub_->writer = true;
  stub_->modified = false;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::downgradeOpen() {
  if (!stub_) return Vexa::eOk;
  if (!stub_->writer) {
    stub_->database->recordViolation(stub_, "downgradeOpen of an object not open for write");
    return Vexa::eNotOpenForWrite;
  }
  if (stub_->modified) {
    stub_->modified = false;
    ++stub_->notifiers;
    notifyModified();
    --stub_->notifiers;
  }
  stub_->writer = false;
  stub_->readers = 1;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::assertReadEnabled() const {
  if (!stub_ || stub_->isOpen()) return Vexa::eOk;
  stub_->database->recordViolation(stub_, "read of an object that is not open");
  return Vexa::eNotOpenForRead;
}

Vexa::ErrorStatus QvDbObject::assertWriteEnabled(bool autoUndo, bool recordModified) {
  if (!stub_) return Vexa::eOk;
  if (!stub_->writer) {
    stub_->database->recordViolation(stub_, "change of an object not open for write");
    return Vexa::eNotOpenForWrite;
  }
  if (autoUndo) stub_->database->transactionManager()->recordChange(stub_);
  if (recordModified) stub_->modified = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::assertNotifyEnabled() const {
  if (!stub_ || stub_->notifiers != 0 || stub_->writer) return Vexa::eOk;
  stub_->database->recordViolation(stub_, "notification to an object not open for notify");
  return Vexa::eNotOpenForRead;
}

// Erasing.

Vexa::ErrorStatus QvDbObject::erase(bool erasing) {
  if (!stub_) return Vexa::eNotInDatabase;
  if (!stub_->writer) return assertWriteEnabled();
  if (erasing && stub_->erased) return Vexa::eWasErased;
  if (!erasing && !stub_->erased) return Vexa::eNotApplicable;
  if (erasing && stub_->database->isIndispensable(objectId())) return Vexa::eCannotBeErased;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(false); es != Vexa::eOk) return es;
  stub_->database->transactionManager()->recordErase(stub_);
  if (const Vexa::ErrorStatus es = subErase(erasing); es != Vexa::eOk) return es;
  stub_->erased = erasing;
  stub_->erasedWithOwner = false;
  notifyErased(erasing);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::subErase(bool erasing) {
  if (!extDictId_.isNull()) return eraseOwned(extDictId_, erasing);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::checkReference(QvDbObjectId id, const QvRxClass* cls) const {
  if (id.isNull()) return Vexa::eOk;
  if (id.objectClass() != cls) return Vexa::eWrongObjectType;
  if (isResident() && id.database() != database()) return Vexa::eWrongDatabase;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::eraseOwned(QvDbObjectId ownedId, bool erasing) {
  QvDbObjectStub* owned = ownedId.stub();
  if (!owned || !owned->object || owned->removed || !stub_) return Vexa::eOk;
  if (owned->database != stub_->database) return Vexa::eWrongDatabase;
  // Only what is live goes down with the owner, and only what went down with it comes back.
  if (erasing ? owned->erased : !(owned->erased && owned->erasedWithOwner)) return Vexa::eOk;
  stub_->database->transactionManager()->recordErase(owned);
  if (const Vexa::ErrorStatus es = owned->object->subErase(erasing); es != Vexa::eOk) return es;
  owned->erased = erasing;
  owned->erasedWithOwner = erasing;
  owned->object->notifyErased(erasing);
  return Vexa::eOk;
}

// Extended data.

resbuf* QvDbObject::xData(const wchar_t* regappName) const {
  assertReadEnabled();
  if (!regappName) return xdata_.copyAll();
  return xdata_.copyOf(regappName);
}

Vexa::ErrorStatus QvDbObject::setXData(const resbuf* xdata) {
  QvDbXDataList changes;
  if (const Vexa::ErrorStatus es = QvDbXDataList::parse(xdata, changes); es != Vexa::eOk) return es;
  if (stub_) {
    if (!stub_->writer) return assertWriteEnabled();
    for (int i = 0; i < changes.numSections(); ++i) {
      const QvDbObjectId app =
          stub_->database->findSymbolRecord(QvDbDatabase::kRegAppTable, changes.applicationAt(i));
      if (app.isNull() || app.isErased()) return Vexa::eRegAppNotFound;
    }
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  xdata_.merge(changes);
  return Vexa::eOk;
}

QvArray<QvString> QvDbObject::xDataApplications() const {
  assertReadEnabled();
  QvArray<QvString> names;
  for (int i = 0; i < xdata_.numSections(); ++i) names.append(xdata_.applicationAt(i));
  return names;
}

// Extension dictionary.

QvDbObjectId QvDbObject::extensionDictionary() const {
  assertReadEnabled();
  return extDictId_;
}

Vexa::ErrorStatus QvDbObject::createExtensionDictionary() {
  if (!stub_) return Vexa::eNotInDatabase;
  if (!stub_->writer) return assertWriteEnabled();
  if (!extDictId_.isNull() && !extDictId_.isErased()) return Vexa::eAlreadyInDb;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  auto* dict = new QvDbDictionary();
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = stub_->database->addQvDbObject(dictId, dict); es != Vexa::eOk) {
    delete dict;
    return es;
  }
  dict->ownerId_ = objectId();
  dict->close();
  extDictId_ = dictId;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::releaseExtensionDictionary() {
  if (!stub_) return Vexa::eNotInDatabase;
  if (!stub_->writer) return assertWriteEnabled();
  if (extDictId_.isNull()) return Vexa::eKeyNotFound;
  QvDbDictionary* dict = nullptr;
  if (const Vexa::ErrorStatus es =
          qvdbOpenObject(dict, extDictId_, QvDb::kForWrite, /*openErased=*/true);
      es != Vexa::eOk)
    return es;
  if (dict->numEntries() != 0) {
    dict->close();
    return Vexa::eNotApplicable;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) {
    dict->close();
    return es;
  }
  if (!dict->isErased()) dict->erase();
  dict->close();
  extDictId_.setNull();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::setExtensionDictionary(QvDbObjectId dictId) {
  if (!stub_) return Vexa::eNotInDatabase;
  if (!stub_->writer) return assertWriteEnabled();
  QvDbObjectStub* dictStub = dictId.stub();
  if (!dictStub || !dictStub->object || dictStub->removed) return Vexa::eNullObjectId;
  if (dictStub->database != stub_->database) return Vexa::eWrongDatabase;
  if (!QvDbDictionary::cast(dictStub->object)) return Vexa::eWrongObjectType;
  if (dictId == objectId()) return Vexa::eInvalidInput;
  if (!extDictId_.isNull() && !extDictId_.isErased() && extDictId_ != dictId)
    return Vexa::eAlreadyInDb;
  const QvDbObjectId dictOwner = dictStub->object->ownerId_;
  if (!dictOwner.isNull() && dictOwner != objectId()) return Vexa::eAlreadyInDb;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  stub_->database->transactionManager()->recordChange(dictStub);
  dictStub->object->ownerId_ = objectId();
  extDictId_ = dictId;
  return Vexa::eOk;
}

// File groups.

const QvDbFileGroups& QvDbObject::fileGroups() const {
  assertReadEnabled();
  return fileGroups_;
}

Vexa::ErrorStatus QvDbObject::setFileGroups(QvDbFileGroups groups) {
  if (stub_) {
    for (int i = 0; i < groups.length(); ++i) {
      const QvDbObjectId id = groups.at(i).id;
      if (!id.isNull() && id.database() != stub_->database) return Vexa::eWrongDatabase;
    }
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  fileGroups_ = std::move(groups);
  return Vexa::eOk;
}

// Reactors.

Vexa::ErrorStatus QvDbObject::addPersistentReactor(QvDbObjectId reactorId) {
  if (reactorId.isNull()) return Vexa::eNullObjectId;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (stub_ && reactorId.database() != stub_->database) return Vexa::eWrongDatabase;
  if (!hasPersistentReactor(reactorId)) reactors_.push_back({nullptr, reactorId});
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbObject::removePersistentReactor(QvDbObjectId reactorId) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const auto it = std::find_if(reactors_.begin(), reactors_.end(), [&](const QvDbReactorEntry& e) {
    return e.isPersistent() && e.persistentId == reactorId;
  });
  if (it == reactors_.end()) return Vexa::eKeyNotFound;
  reactors_.erase(it);
  return Vexa::eOk;
}

bool QvDbObject::hasPersistentReactor(QvDbObjectId reactorId) const {
  assertReadEnabled();
  return std::any_of(reactors_.begin(), reactors_.end(), [&](const QvDbReactorEntry& e) {
    return e.isPersistent() && e.persistentId == reactorId;
  });
}

void QvDbObject::addReactor(QvDbObjectReactor* reactor) {
  if (!reactor) return;
  for (const QvDbReactorEntry& e : reactors_)
    if (e.transient == reactor) return;
  reactors_.push_back({reactor, QvDbObjectId()});
}

void QvDbObject::removeReactor(QvDbObjectReactor* reactor) {
  reactors_.erase(std::remove_if(reactors_.begin(), reactors_.end(),
                                 [&](const QvDbReactorEntry& e) { return e.transient == reactor; }),
                  reactors_.end());
}

QvArray<QvDbReactorEntry> QvDbObject::reactors() const {
  assertReadEnabled();
  QvArray<QvDbReactorEntry> list;
  for (const QvDbReactorEntry& e : reactors_) list.append(e);
  return list;
}

void QvDbObject::modified(const QvDbObject*) {}

void QvDbObject::erased(const QvDbObject*, bool) {}

namespace {

// Tells every reactor of `object`; persistent ones are opened for notify meanwhile. The list is
// copied first: a reactor may change it.
template <typename Tell>
void tellReactors(const std::vector<QvDbReactorEntry>& reactors, Tell tell) {
  const std::vector<QvDbReactorEntry> copy = reactors;
  for (const QvDbReactorEntry& entry : copy) {
    if (!entry.isPersistent()) {
      tell(static_cast<QvDbObjectReactor*>(entry.transient), static_cast<QvDbObject*>(nullptr));
      continue;
    }
    QvDbObject* reactor = nullptr;
    if (qvdbOpenObject(reactor, entry.persistentId, QvDb::kForNotify) != Vexa::eOk) continue;
    tell(static_cast<QvDbObjectReactor*>(nullptr), reactor);
    reactor->close();
  }
}

}  // namespace

void QvDbObject::notifyModified() {
  tellReactors(reactors_, [this](QvDbObjectReactor* transient, QvDbObject* persistent) {
    if (transient) transient->modified(this);
    if (persistent) persistent->modified(this);
  });
}

void QvDbObject::notifyErased(bool erasing) {
  tellReactors(reactors_, [this, erasing](QvDbObjectReactor* transient, QvDbObject* persistent) {
    if (transient) transient->erased(this, erasing);
    if (persistent) persistent->erased(this, erasing);
  });
}

// Copying.

QvDbObject* QvDbObject::clone() const {
  assertReadEnabled();
  QvDbObject* copy = copyState();
  // A copy never shares what this object owns.
  struct DropOwned : QvDbIdVisitor {
    void visit(QvDbObjectId& id, Kind kind) override {
      if (kind == kHardOwner || kind == kSoftOwner) id.setNull();
    }
  } dropOwned;
  copy->visitIds(dropOwned);
  return copy;
}

bool QvDbObject::copyFrom(const QvRxObject* other) {
  const auto* source = QvDbObject::cast(other);
  if (!source || source == this || typeid(*source) != typeid(*this)) return false;
  if (assertWriteEnabled() != Vexa::eOk) return false;
  takeState(*source);
  return true;
}

Vexa::ErrorStatus QvDbObject::handOverTo(QvDbObject* newObject, bool keepXData, bool keepExtDict) {
  if (!newObject) return Vexa::eNullPtr;
  if (!stub_) return Vexa::eNotInDatabase;
  if (newObject->stub_) return Vexa::eAlreadyInDb;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!keepExtDict && !extDictId_.isNull()) {
    if (const Vexa::ErrorStatus es = eraseOwned(extDictId_, true); es != Vexa::eOk) return es;
  }
  QvDbObjectStub* stub = stub_;
  newObject->stub_ = stub;
  newObject->ownerId_ = ownerId_;
  newObject->reactors_ = std::move(reactors_);
  if (keepXData) newObject->xdata_ = std::move(xdata_);
  if (keepExtDict) newObject->extDictId_ = extDictId_;
  stub->object = newObject;
  stub->modified = true;

  stub_ = nullptr;
  ownerId_.setNull();
  extDictId_.setNull();
  reactors_.clear();
  return Vexa::eOk;
}

// Ids.

void QvDbObject::visitIds(QvDbIdVisitor& visitor) {
  if (!extDictId_.isNull()) visitor.visit(extDictId_, QvDbIdVisitor::kHardOwner);
  for (QvDbReactorEntry& entry : reactors_)
    if (entry.isPersistent()) visitor.visit(entry.persistentId, QvDbIdVisitor::kSoftPointer);
  fileGroups_.visitIds(visitor);
}
