#include "sdk/db/QvDbObjectId.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectStub.h"

const QvDbObjectId QvDbObjectId::kNull;

bool QvDbObjectId::isValid() const {
  return stub_ && stub_->object && !stub_->removed;
}

bool QvDbObjectId::isErased() const {
  return stub_ && (stub_->erased || stub_->removed);
}

QvDbDatabase* QvDbObjectId::database() const {
  return stub_ ? stub_->database : nullptr;
}

QvDbHandle QvDbObjectId::handle() const {
  return stub_ ? stub_->handle : QvDbHandle();
}

const QvRxClass* QvDbObjectId::objectClass() const {
  return stub_ && stub_->object && !stub_->removed ? stub_->object->isA() : nullptr;
}

int64_t QvDbObjectId::asOldId() const {
  return stub_ ? stub_->oldId : 0;
}

QvDbObjectId& QvDbObjectId::setFromOldId(int64_t oldId) {
  stub_ = QvDbDatabase::stubFromOldId(oldId);
  return *this;
}
