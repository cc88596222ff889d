#pragma once

#include <memory>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbEntity;
class QvDbIdVisitor;

// The sub-entities an entity owns, in order: the vertices of a polyline, the attributes of a
// block reference. While the owner is in no database they live here, in memory, and belong to
// it; once it is in a database they are objects of that database whose owner is the entity,
// and the list keeps their ids. Copying the list copies the entities held in memory and the
// ids as they are (the state copy of transactions and deep cloning, which then translates
// the owned ids); localCopies makes a list of copies in memory (for clone).
class QvDbOwnedEntities {
 public:
  QvDbOwnedEntities() = default;
  QvDbOwnedEntities(const QvDbOwnedEntities& other);
  QvDbOwnedEntities& operator=(const QvDbOwnedEntities& other);
  QvDbOwnedEntities(QvDbOwnedEntities&&) noexcept = default;
  QvDbOwnedEntities& operator=(QvDbOwnedEntities&&) noexcept = default;
  ~QvDbOwnedEntities();

  int length() const { return static_cast<int>(items_.size()); }
  bool isEmpty() const { return items_.empty(); }
  // The id of item i (null while in memory) and the entity of item i (null once in a
  // database). Indices must lie in [0, length()).
  QvDbObjectId idAt(int i) const { return items_[static_cast<size_t>(i)].id; }
  QvDbEntity* localAt(int i) const { return items_[static_cast<size_t>(i)].local.get(); }
  // Index of an id or of an entity held in memory; -1 when absent.
  int indexOf(QvDbObjectId id) const;
  int indexOf(const QvDbEntity* entity) const;

  // Adds `entity` (new, in no database) at `index` (length() to append) for `owner`. An owner
  // in a database adds the entity to it, owned by the owner and open for write (the caller
  // closes it), and sets `id`; an owner in no database keeps it in memory (id null). The
  // caller must not delete the entity afterwards. eInvalidIndex, eAlreadyInDb, eNullPtr.
  Vexa::ErrorStatus insertAt(int index, QvDbEntity& owner, QvDbEntity* entity, QvDbObjectId& id);
  // Removes item i from the list: an entity in memory is deleted; one in a database stays
  // there (the caller erases it).
  void removeAt(int i);

  // Puts the items in a new order: item k becomes the old item order[k] (a permutation).
  void reorder(const std::vector<int>& order);

  // The owner has just joined its database: the entities in memory are added to it, owned by
  // the owner, and closed.
  Vexa::ErrorStatus joinDatabase(QvDbEntity& owner);
  // A list of copies in memory of these entities (those of a database read while open for
  // read; one that cannot be opened is left out).
  QvDbOwnedEntities localCopies() const;
  // Shows each id as owned (hard owner).
  void visitIds(QvDbIdVisitor& visitor);

 private:
  struct Item {
    QvDbObjectId id;
    std::unique_ptr<QvDbEntity> local;
  };
  std::vector<Item> items_;
};

// The sub-entities of a QvDbOwnedEntities list, open for the life of this object: entities
// of a database are opened in the given mode and closed at the end, those in memory are handed
// as they are. Opening stops at the first refusal (status()), with nothing left open.
class QvDbOwnedEntitiesOpener {
 public:
  QvDbOwnedEntitiesOpener(const QvDbOwnedEntities& list, QvDb::OpenMode mode);
  QvDbOwnedEntitiesOpener(const QvDbOwnedEntitiesOpener&) = delete;
  QvDbOwnedEntitiesOpener& operator=(const QvDbOwnedEntitiesOpener&) = delete;
  ~QvDbOwnedEntitiesOpener();

  Vexa::ErrorStatus status() const { return status_; }
  int length() const { return static_cast<int>(entities_.size()); }
  QvDbEntity* at(int i) const { return entities_[static_cast<size_t>(i)]; }

 private:
  void closeAll();

  std::vector<QvDbEntity*> entities_;
  std::vector<bool> opened_;
  Vexa::ErrorStatus status_ = Vexa::eOk;
};
