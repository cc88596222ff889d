#include "sdk/db/QvDbOpenRules.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/rx/QvRxClass.h"

Vexa::ErrorStatus QvDbOpenRules::open(QvDbObjectStub* stub, QvDb::OpenMode mode) {
  const bool wasOpen = stub->isOpen();
  switch (mode) {
    case QvDb::kForRead:
      if (stub->writer) return Vexa::eWasOpenForWrite;
      if (stub->readers == UINT16_MAX) return Vexa::eInvalidOpenMode;
      ++stub->readers;
      break;
    case QvDb::kForWrite:
      if (stub->writer) return Vexa::eWasOpenForWrite;
      if (stub->readers != 0) return Vexa::eWasOpenForRead;
      if (stub->notifiers != 0) return Vexa::eWasOpenForNotify;
      stub->writer = true;
      stub->modified = false;
      break;
    case QvDb::kForNotify:
      if (stub->notifiers == UINT8_MAX) return Vexa::eInvalidOpenMode;
      ++stub->notifiers;
      break;
    default:
      return Vexa::eInvalidOpenMode;
  }
  if (!wasOpen) stub->database->noteOpenChange(true);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbOpenRules::close(QvDbObjectStub* stub) {
  if (!stub->isOpen()) {
    stub->database->recordViolation(stub, "close of an object that is not open");
    return Vexa::eNotOpenForRead;
  }
  if (stub->notifiers != 0) {
    --stub->notifiers;
  } else if (stub->writer) {
    stub->writer = false;
    if (stub->modified && stub->object && !stub->removed) {
      stub->modified = false;
      // The reactors hear of the change while the object is open for notify.
      ++stub->notifiers;
      stub->object->notifyModified();
      --stub->notifiers;
    }
    stub->modified = false;
  } else {
    --stub->readers;
  }
  if (!stub->isOpen()) {
    stub->database->noteOpenChange(false);
    if (stub->removed && stub->object) {
      QvDbObject* object = stub->object;
      stub->object = nullptr;
      object->stub_ = nullptr;
      delete object;
    }
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus qvdbOpenObject(QvDbObject*& object, QvDbObjectId id, QvDb::OpenMode mode,
                                 bool openErased, const QvRxClass* cls) {
  object = nullptr;
  QvDbObjectStub* stub = id.stub();
  if (!stub) return Vexa::eNullObjectId;
  if (!stub->object || stub->removed) return Vexa::eWasErased;
  if (stub->erased && !openErased) return Vexa::eWasErased;
  if (cls && !stub->object->isKindOf(cls)) return Vexa::eWrongObjectType;
  const Vexa::ErrorStatus es = QvDbOpenRules::open(stub, mode);
  if (es == Vexa::eOk) object = stub->object;
  return es;
}
