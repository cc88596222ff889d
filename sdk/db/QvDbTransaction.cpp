#include "sdk/db/QvDbTransaction.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbOpenRules.h"

namespace {

uint32_t nextSerial() {
  static uint32_t last = 0;
  if (++last == 0) ++last;  // 0 marks no level
  return last;
}

}  // namespace

QvDbTransaction::QvDbTransaction(QvDbDatabase* db)
    : db_(db), serial_(nextSerial()), drawingState_(db->state_) {}

QvDbTransaction::~QvDbTransaction() = default;

Vexa::ErrorStatus QvDbTransaction::getObject(QvDbObject*& object, QvDbObjectId id,
                                             QvDb::OpenMode mode, bool openErased) {
  object = nullptr;
  QvDbObjectStub* stub = id.stub();
  if (stub && stub->database != db_) return Vexa::eWrongDatabase;
  const auto held = std::find_if(opened_.begin(), opened_.end(),
                                 [&](const HeldObject& h) { return h.stub == stub; });
  if (stub && held != opened_.end() && stub->object) {
    if (stub->erased && !openErased) return Vexa::eWasErased;
    if (mode == QvDb::kForWrite && held->mode == QvDb::kForRead) {
      if (const Vexa::ErrorStatus es = stub->object->upgradeOpen(); es != Vexa::eOk) return es;
      held->mode = QvDb::kForWrite;
    }
    object = stub->object;
    return Vexa::eOk;
  }
  const Vexa::ErrorStatus es = qvdbOpenObject(object, id, mode, openErased);
  if (es == Vexa::eOk) opened_.push_back({stub, mode});
  return es;
}

size_t QvDbTransaction::savedPosition(const QvDbObjectStub* stub, QvDbTransactionMark mark) const {
  if (mark.level != serial_ || (mark.slot & QvDbTransactionMark::kAdded)) return npos;
  return mark.slot < saved_.size() && saved_[mark.slot].first == stub ? mark.slot : npos;
}

bool QvDbTransaction::isAddedHere(const QvDbObjectStub* stub, QvDbTransactionMark mark) const {
  if (mark.level != serial_ || !(mark.slot & QvDbTransactionMark::kAdded)) return false;
  const uint32_t slot = mark.slot & ~QvDbTransactionMark::kAdded;
  return slot < added_.size() && added_[slot] == stub;
}

QvDbTransaction::SavedState& QvDbTransaction::saveSlot(QvDbObjectStub* stub, bool& added) {
  const size_t position = savedPosition(stub, stub->transactionMark);
  added = position == npos;
  if (!added) return saved_[position].second;
  SavedState& saved = saved_.emplace_back(stub, SavedState()).second;
  saved.outerMark = stub->transactionMark;
  stub->transactionMark = {serial_, static_cast<uint32_t>(saved_.size() - 1)};
  return saved;
}

void QvDbTransaction::save(QvDbObjectStub* stub) {
  if (!stub->object || isAddedHere(stub, stub->transactionMark)) return;
  bool added = false;
  SavedState& saved = saveSlot(stub, added);
  if (added) saveIdentity(stub, saved);
  // Saved by an erase, the data is still as it was and is saved before it changes.
  if (!saved.state) saved.state.reset(stub->object->copyState());
}

void QvDbTransaction::saveFlags(QvDbObjectStub* stub) {
  if (!stub->object || isAddedHere(stub, stub->transactionMark)) return;
  bool added = false;
  SavedState& saved = saveSlot(stub, added);
  if (added) saveIdentity(stub, saved);
}

void QvDbTransaction::saveIdentity(QvDbObjectStub* stub, SavedState& saved) {
  const QvDbObject* object = stub->object;
  saved.object = stub->object;
  saved.ownerId = object->ownerId_;
  saved.extDictId = object->extDictId_;
  for (const QvDbReactorEntry& entry : object->reactors_)
    if (entry.isPersistent()) saved.persistentReactors.push_back(entry.persistentId);
  saved.erased = stub->erased;
  saved.erasedWithOwner = stub->erasedWithOwner;
}

void QvDbTransaction::noteAdded(QvDbObjectStub* stub) {
  if (isAddedHere(stub, stub->transactionMark)) return;
  stub->transactionMark = {serial_,
                           static_cast<uint32_t>(added_.size()) | QvDbTransactionMark::kAdded};
  added_.push_back(stub);
}

void QvDbTransaction::expectAdded(size_t count) {
  added_.reserve(added_.size() + count);
}

void QvDbTransaction::restore(QvDbObjectStub* stub, SavedState& saved) {
  QvDbObject* current = stub->object;
  if (!current || stub->removed) return;
  if (!saved.state) {
    // Only the flags changed.
  } else if (current != saved.object || typeid(*current) != typeid(*saved.state)) {
    // The object was replaced (handOverTo): the saved copy goes back in its place and the
    // replacement leaves the database.
    QvDbObject* original = saved.state.release();
    original->stub_ = stub;
    stub->object = original;
    current->stub_ = nullptr;
    current->ownerId_ = QvDbObjectId();
    current->extDictId_ = QvDbObjectId();
    if (!stub->isOpen()) delete current;
    current = original;
  } else {
    current->takeState(*saved.state);
  }
  current->ownerId_ = saved.ownerId;
  current->extDictId_ = saved.extDictId;
  std::vector<QvDbReactorEntry> reactors;
  for (const QvDbObjectId& id : saved.persistentReactors) reactors.push_back({nullptr, id});
  for (const QvDbReactorEntry& entry : current->reactors_)
    if (!entry.isPersistent()) reactors.push_back(entry);
  current->reactors_ = std::move(reactors);
  stub->erased = saved.erased;
  stub->erasedWithOwner = saved.erasedWithOwner;
}

void QvDbTransaction::closeHeldObjects(bool committed) {
  // Last opened first: an object opened twice by the transaction closes twice.
  for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) {
    if (!it->stub->isOpen()) continue;
    if (committed && it->stub->object) {
      it->stub->object->close();
    } else {
      QvDbOpenRules::close(it->stub);
    }
  }
  opened_.clear();
}

void QvDbTransaction::mergeInto(QvDbTransaction& parent) {
  for (auto& [stub, saved] : saved_) {
    const QvDbTransactionMark outer = saved.outerMark;
    if (parent.isAddedHere(stub, outer)) {
      // The parent added it: undoing the parent takes it away whatever it became.
      stub->transactionMark = outer;
      continue;
    }
    if (const size_t position = parent.savedPosition(stub, outer); position != npos) {
      // The parent saved only the flags; the data saved here is still the data it had then.
      SavedState& theirs = parent.saved_[position].second;
      if (!theirs.state && saved.state) theirs.state = std::move(saved.state);
      stub->transactionMark = outer;
      continue;
    }
    // New to the parent: the parent keeps it, with the mark of the level outside it.
    parent.saved_.emplace_back(stub, std::move(saved));
    stub->transactionMark = {parent.serial_, static_cast<uint32_t>(parent.saved_.size() - 1)};
  }
  saved_.clear();
  parent.added_.reserve(parent.added_.size() + added_.size());
  for (QvDbObjectStub* stub : added_) parent.noteAdded(stub);
  added_.clear();
  for (const HeldObject& held : opened_) parent.opened_.push_back(held);
  opened_.clear();
}

void QvDbTransaction::rollBack() {
  closeHeldObjects(false);
  for (auto& [stub, saved] : saved_) {
    restore(stub, saved);
    stub->transactionMark = saved.outerMark;
  }
  saved_.clear();
  for (auto it = added_.rbegin(); it != added_.rend(); ++it) db_->removeAddedObject(*it);
  added_.clear();
  db_->state_ = drawingState_;
}
