#include "sdk/db/QvDbTransactionManager.h"

#include "sdk/db/QvDbDatabase.h"

QvDbTransactionManager::~QvDbTransactionManager() = default;

QvDbTransaction* QvDbTransactionManager::startTransaction() {
  stack_.push_back(std::unique_ptr<QvDbTransaction>(new QvDbTransaction(db_)));
  return stack_.back().get();
}

Vexa::ErrorStatus QvDbTransactionManager::endTransaction() {
  if (stack_.empty()) return Vexa::eNoActiveTransaction;
  std::unique_ptr<QvDbTransaction> top = std::move(stack_.back());
  stack_.pop_back();
  if (stack_.empty()) {
    top->closeHeldObjects(true);
  } else {
    top->mergeInto(*stack_.back());
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbTransactionManager::abortTransaction() {
  if (stack_.empty()) return Vexa::eNoActiveTransaction;
  std::unique_ptr<QvDbTransaction> top = std::move(stack_.back());
  stack_.pop_back();
  top->rollBack();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbTransactionManager::getObject(QvDbObject*& object, QvDbObjectId id,
                                                    QvDb::OpenMode mode, bool openErased) {
  object = nullptr;
  if (stack_.empty()) return Vexa::eNoActiveTransaction;
  return stack_.back()->getObject(object, id, mode, openErased);
}

void QvDbTransactionManager::recordChange(QvDbObjectStub* stub) {
  if (!stack_.empty()) stack_.back()->save(stub);
}

void QvDbTransactionManager::recordErase(QvDbObjectStub* stub) {
  if (!stack_.empty()) stack_.back()->saveFlags(stub);
}

void QvDbTransactionManager::recordAddition(QvDbObjectStub* stub) {
  if (!stack_.empty()) stack_.back()->noteAdded(stub);
}

void QvDbTransactionManager::expectAdditions(size_t count) {
  if (!stack_.empty()) stack_.back()->expectAdded(count);
}
