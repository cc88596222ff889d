#include "sdk/db/QvDbTransactionScope.h"

#include "sdk/db/QvDbDatabase.h"

QvDbTransactionScope::QvDbTransactionScope(QvDbDatabase* db, OnExit onExit)
    : manager_(db ? db->transactionManager() : nullptr),
      transaction_(manager_ ? manager_->startTransaction() : nullptr),
      onExit_(onExit) {}

QvDbTransactionScope::~QvDbTransactionScope() {
  if (!transaction_) return;
  if (onExit_ == OnExit::kEnd) {
    commit();
  } else {
    abort();
  }
}

Vexa::ErrorStatus QvDbTransactionScope::commit() {
  if (!transaction_) return Vexa::eNoActiveTransaction;
  if (manager_->topTransaction() != transaction_) return Vexa::eInvalidInput;
  transaction_ = nullptr;
  return manager_->endTransaction();
}

Vexa::ErrorStatus QvDbTransactionScope::abort() {
  if (!transaction_) return Vexa::eNoActiveTransaction;
  if (manager_->topTransaction() != transaction_) return Vexa::eInvalidInput;
  transaction_ = nullptr;
  return manager_->abortTransaction();
}
