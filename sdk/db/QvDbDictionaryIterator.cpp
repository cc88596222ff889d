#include "sdk/db/QvDbDictionaryIterator.h"

#include "sdk/db/QvDbObject.h"

Vexa::ErrorStatus QvDbDictionaryIterator::getObject(QvDbObject*& object,
                                                    QvDb::OpenMode mode) const {
  object = nullptr;
  if (done()) return Vexa::eInvalidIndex;
  return qvdbOpenObject(object, entries_[index_].second, mode);
}

bool QvDbDictionaryIterator::setPosition(QvDbObjectId id) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].second == id) {
      index_ = i;
      return true;
    }
  }
  return false;
}
