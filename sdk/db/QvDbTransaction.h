#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbDrawingState.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/db/QvDbObjectReactor.h"
#include "sdk/db/QvDbObjectStub.h"

class QvDbObject;
class QvDbDatabase;

// One level of a database's transactions. It saves the state of every object before its first
// change (QvDbObject::assertWriteEnabled), notes every object added, and holds the objects it
// opened with getObject until it ends. Made and ended by QvDbTransactionManager.
class QvDbTransaction {
 public:
  QvDbTransaction(const QvDbTransaction&) = delete;
  QvDbTransaction& operator=(const QvDbTransaction&) = delete;
  ~QvDbTransaction();

  // Opens an object for the transaction: it stays open until the transaction ends (or its
  // parent does, for a nested one). Asking again for an object the transaction holds answers
  // the same object; asking for write what it holds for read upgrades the open.
  Vexa::ErrorStatus getObject(QvDbObject*& object, QvDbObjectId id, QvDb::OpenMode mode,
                              bool openErased = false);
  int numOpenedObjects() const { return static_cast<int>(opened_.size()); }

 private:
  friend class QvDbTransactionManager;
  explicit QvDbTransaction(QvDbDatabase* db);

  struct SavedState {
    QvDbObject* object = nullptr;  // the object in place when the state was saved
    // Its data (copyState); none while only its flags changed (an erase), until its first
    // change of data.
    std::unique_ptr<QvDbObject> state;
    QvDbObjectId ownerId;
    QvDbObjectId extDictId;
    std::vector<QvDbObjectId> persistentReactors;
    bool erased = false;
    bool erasedWithOwner = false;
    // The object's mark before this level recorded it: an outer level's record, found again
    // when this level ends.
    QvDbTransactionMark outerMark;
  };
  struct HeldObject {
    QvDbObjectStub* stub;
    QvDb::OpenMode mode;
  };

  static constexpr size_t npos = SIZE_MAX;

  // Where this level saved `stub`, or npos.
  size_t savedPosition(const QvDbObjectStub* stub, QvDbTransactionMark mark) const;
  // Whether `mark` is this level's note that it added `stub`.
  bool isAddedHere(const QvDbObjectStub* stub, QvDbTransactionMark mark) const;
  // The state saved for `stub`, new (and `added`) when there was none.
  SavedState& saveSlot(QvDbObjectStub* stub, bool& added);
  void save(QvDbObjectStub* stub);
  // Saves what an erase changes: the flags (and the identity), not the data.
  void saveFlags(QvDbObjectStub* stub);
  void saveIdentity(QvDbObjectStub* stub, SavedState& saved);
  void noteAdded(QvDbObjectStub* stub);
  void expectAdded(size_t count);
  void restore(QvDbObjectStub* stub, SavedState& saved);
  // Closes what the transaction opened; a committed close lets each object finish its change
  // (QvDbObject::close), a rolled-back one only ends the opens.
  void closeHeldObjects(bool committed);
  // Hands what this level recorded to its parent, which now answers for it.
  void mergeInto(QvDbTransaction& parent);
  void rollBack();

  QvDbDatabase* db_;
  const uint32_t serial_;  // this level's number in the stubs' marks; never 0
  // In the order saved; a deque, so that saving thousands of erasures moves none. Each stub
  // marks its own position, so neither list needs an index.
  std::deque<std::pair<QvDbObjectStub*, SavedState>> saved_;
  std::vector<QvDbObjectStub*> added_;
  std::vector<HeldObject> opened_;
  QvDbDrawingState drawingState_;  // as it was when the transaction started
};
