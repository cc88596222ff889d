#pragma once

#include <cstdint>
#include <functional>

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbHandle.h"

class QvDbDatabase;
class QvRxClass;
struct QvDbObjectStub;

// The id of a database object: a small value that stays valid as long as its database lives,
// also after the object is erased. The null id names nothing. Ids are ordered by database and
// then by the order in which their objects were added; the order is the same on every run.
class QvDbObjectId {
 public:
  constexpr QvDbObjectId() = default;
  explicit QvDbObjectId(QvDbObjectStub* stub) : stub_(stub) {}

  static const QvDbObjectId kNull;

  bool isNull() const { return stub_ == nullptr; }
  // Names an object of a database: not null, and not an addition that was taken back. Erased
  // objects are valid.
  bool isValid() const;
  // The object is erased, or its addition was taken back.
  bool isErased() const;
  QvDbDatabase* database() const;
  QvDbHandle handle() const;
  // The runtime class of the object, or null when there is no object.
  const QvRxClass* objectClass() const;

  // The id as one 64-bit value, and back. setFromOldId gives the null id for a value that
  // names no object of a live database.
  int64_t asOldId() const;
  QvDbObjectId& setFromOldId(int64_t oldId);
  void setNull() { stub_ = nullptr; }

  QvDbObjectStub* stub() const { return stub_; }

  friend bool operator==(QvDbObjectId a, QvDbObjectId b) { return a.stub_ == b.stub_; }
  friend bool operator!=(QvDbObjectId a, QvDbObjectId b) { return a.stub_ != b.stub_; }
  friend bool operator<(QvDbObjectId a, QvDbObjectId b) { return a.asOldId() < b.asOldId(); }
  friend bool operator>(QvDbObjectId a, QvDbObjectId b) { return b < a; }
  friend bool operator<=(QvDbObjectId a, QvDbObjectId b) { return !(b < a); }
  friend bool operator>=(QvDbObjectId a, QvDbObjectId b) { return !(a < b); }

 private:
  QvDbObjectStub* stub_ = nullptr;
};

using QvDbObjectIdArray = QvArray<QvDbObjectId>;

template <>
struct std::hash<QvDbObjectId> {
  size_t operator()(QvDbObjectId id) const noexcept {
    return std::hash<const void*>()(static_cast<const void*>(id.stub()));
  }
};
