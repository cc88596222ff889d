#pragma once

#include <vector>

#include "sdk/db/QvDbObjectId.h"

class QvDbEntity;
class QvDbOwnedEntities;

// Walks the sub-entities of an entity (the vertices of a polyline, the attributes of a block
// reference) in order, over the list as it was when the iterator was made; erased ones are
// left out. For an owner in a database it gives ids (entity() is null: open them by id); for an
// owner in no database it gives the sub-entities themselves (objectId() is null), which stay
// the owner's. The caller deletes the iterator, before the owner.
class QvDbObjectIterator {
 public:
  explicit QvDbObjectIterator(const QvDbOwnedEntities& list);

  // To the first item (or the last with atEnd).
  void start(bool atEnd = false);
  bool done() const;
  // To the next item (the previous one with backwards).
  void step(bool backwards = false);
  // To the item with that id, or that entity; false (position unchanged) when it is not there.
  bool seek(QvDbObjectId id);
  bool seek(const QvDbEntity* entity);

  QvDbObjectId objectId() const;
  QvDbEntity* entity() const;

 private:
  struct Item {
    QvDbObjectId id;
    QvDbEntity* local = nullptr;
  };
  std::vector<Item> items_;
  int pos_ = 0;
};
