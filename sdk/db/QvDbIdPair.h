#pragma once

#include "sdk/db/QvDbObjectId.h"

// One entry of an id mapping: the source object (key), what stands for it in the destination
// (value), whether the value is a clone made by this operation, whether the source was one of
// the objects asked for (primary) rather than brought along, and whether the clone's owner was
// translated.
class QvDbIdPair {
 public:
  QvDbIdPair() = default;
  QvDbIdPair(QvDbObjectId key, QvDbObjectId value, bool isCloned, bool isPrimary = false,
             bool isOwnerXlated = true)
      : key_(key),
        value_(value),
        isCloned_(isCloned),
        isPrimary_(isPrimary),
        isOwnerXlated_(isOwnerXlated) {}

  QvDbObjectId key() const { return key_; }
  QvDbObjectId value() const { return value_; }
  bool isCloned() const { return isCloned_; }
  bool isPrimary() const { return isPrimary_; }
  bool isOwnerXlated() const { return isOwnerXlated_; }

  void setKey(QvDbObjectId key) { key_ = key; }
  void setValue(QvDbObjectId value) { value_ = value; }
  void setIsCloned(bool cloned) { isCloned_ = cloned; }
  void setIsPrimary(bool primary) { isPrimary_ = primary; }
  void setIsOwnerXlated(bool translated) { isOwnerXlated_ = translated; }

 private:
  QvDbObjectId key_;
  QvDbObjectId value_;
  bool isCloned_ = false;
  bool isPrimary_ = false;
  bool isOwnerXlated_ = true;
};
