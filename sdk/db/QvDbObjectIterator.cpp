#include "sdk/db/QvDbObjectIterator.h"

#include "sdk/db/QvDbOwnedEntities.h"

QvDbObjectIterator::QvDbObjectIterator(const QvDbOwnedEntities& list) {
  items_.reserve(static_cast<size_t>(list.length()));
  for (int i = 0; i < list.length(); ++i) {
    Item item{list.idAt(i), list.localAt(i)};
    if (!item.local && (item.id.isNull() || item.id.isErased())) continue;
    items_.push_back(item);
  }
}

void QvDbObjectIterator::start(bool atEnd) {
  pos_ = atEnd ? static_cast<int>(items_.size()) - 1 : 0;
}

bool QvDbObjectIterator::done() const {
  return pos_ < 0 || pos_ >= static_cast<int>(items_.size());
}

void QvDbObjectIterator::step(bool backwards) {
  if (!done()) pos_ += backwards ? -1 : 1;
}

bool QvDbObjectIterator::seek(QvDbObjectId id) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (!id.isNull() && items_[i].id == id) {
      pos_ = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

bool QvDbObjectIterator::seek(const QvDbEntity* entity) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (entity && items_[i].local == entity) {
      pos_ = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

QvDbObjectId QvDbObjectIterator::objectId() const {
  return done() ? QvDbObjectId() : items_[static_cast<size_t>(pos_)].id;
}

QvDbEntity* QvDbObjectIterator::entity() const {
  return done() ? nullptr : items_[static_cast<size_t>(pos_)].local;
}
