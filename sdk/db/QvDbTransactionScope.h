#pragma once

#include "sdk/db/QvDbTransactionManager.h"

// Runs a transaction for a scope: started at construction, ended or aborted at destruction
// (as chosen), unless commit() or abort() came first.
class QvDbTransactionScope {
 public:
  enum class OnExit { kEnd, kAbort };

  explicit QvDbTransactionScope(QvDbDatabase* db, OnExit onExit = OnExit::kAbort);
  QvDbTransactionScope(const QvDbTransactionScope&) = delete;
  QvDbTransactionScope& operator=(const QvDbTransactionScope&) = delete;
  ~QvDbTransactionScope();

  QvDbTransaction* transaction() const { return transaction_; }
  bool isActive() const { return transaction_ != nullptr; }
  Vexa::ErrorStatus commit();
  Vexa::ErrorStatus abort();

 private:
  QvDbTransactionManager* manager_;
  QvDbTransaction* transaction_;
  OnExit onExit_;
};
