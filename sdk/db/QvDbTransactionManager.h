#pragma once

#include <memory>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/db/QvDbTransaction.h"

class QvDbDatabase;
class QvDbObject;
struct QvDbObjectStub;

// The transactions of one database, nested as a stack. Ending a transaction keeps its
// changes (a nested one hands them to its parent, so the parent's abort still undoes them);
// aborting one puts back every object it changed as it was, takes out every object added in
// it, restores the header and closes the objects it opened. Objects may still be opened and
// closed directly while a transaction runs; their changes are recorded all the same.
class QvDbTransactionManager {
 public:
  explicit QvDbTransactionManager(QvDbDatabase* db) : db_(db) {}
  QvDbTransactionManager(const QvDbTransactionManager&) = delete;
  QvDbTransactionManager& operator=(const QvDbTransactionManager&) = delete;
  ~QvDbTransactionManager();

  QvDbTransaction* startTransaction();
  // eNoActiveTransaction when none runs.
  Vexa::ErrorStatus endTransaction();
  Vexa::ErrorStatus abortTransaction();
  int numActiveTransactions() const { return static_cast<int>(stack_.size()); }
  QvDbTransaction* topTransaction() const { return stack_.empty() ? nullptr : stack_.back().get(); }
  // getObject of the top transaction (eNoActiveTransaction when none runs).
  Vexa::ErrorStatus getObject(QvDbObject*& object, QvDbObjectId id, QvDb::OpenMode mode,
                              bool openErased = false);

  // Bookkeeping of the database: an object is about to change, an object was added.
  void recordChange(QvDbObjectStub* stub);
  void recordAddition(QvDbObjectStub* stub);
  // Makes room for `count` more additions, recorded one by one.
  void expectAdditions(size_t count);
  // An object is about to be erased or unerased: only its flags change.
  void recordErase(QvDbObjectStub* stub);

 private:
  QvDbDatabase* db_;
  std::vector<std::unique_ptr<QvDbTransaction>> stack_;
};
