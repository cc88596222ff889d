#pragma once

#include <utility>

#include "sdk/db/QvDbObject.h"

// Holds one open of a database object for a scope: it closes the object when it goes (or
// deletes it, when it is a new object that never entered a database).
//
//   QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForWrite);
//   if (block.openStatus() != Vexa::eOk) return block.openStatus();
//   block->appendQvDbEntity(entity);
template <class T>
class QvDbObjectPointer {
 public:
  QvDbObjectPointer() = default;
  QvDbObjectPointer(QvDbObjectId id, QvDb::OpenMode mode, bool openErased = false) {
    open(id, mode, openErased);
  }
  // Takes charge of an object: an open one (closed at the end) or a new one in no database
  // (deleted at the end unless it entered a database meanwhile).
  explicit QvDbObjectPointer(T* object)
      : object_(object), status_(object ? Vexa::eOk : Vexa::eNullPtr) {}
  QvDbObjectPointer(const QvDbObjectPointer&) = delete;
  QvDbObjectPointer& operator=(const QvDbObjectPointer&) = delete;
  QvDbObjectPointer(QvDbObjectPointer&& other) noexcept
      : object_(std::exchange(other.object_, nullptr)),
        status_(std::exchange(other.status_, Vexa::eNullObjectId)) {}
  QvDbObjectPointer& operator=(QvDbObjectPointer&& other) noexcept {
    if (this != &other) {
      close();
      object_ = std::exchange(other.object_, nullptr);
      status_ = std::exchange(other.status_, Vexa::eNullObjectId);
    }
    return *this;
  }
  ~QvDbObjectPointer() { close(); }

  // Ends what the pointer holds, then opens `id` as a T.
  Vexa::ErrorStatus open(QvDbObjectId id, QvDb::OpenMode mode, bool openErased = false) {
    close();
    status_ = qvdbOpenObject(object_, id, mode, openErased);
    return status_;
  }
  // Ends what the pointer holds and makes a new T in no database.
  Vexa::ErrorStatus create() {
    close();
    object_ = new T();
    status_ = Vexa::eOk;
    return status_;
  }
  void acquire(T* object) {
    close();
    object_ = object;
    status_ = object ? Vexa::eOk : Vexa::eNullPtr;
  }

  // The status of the last open; eOk while an object is held.
  Vexa::ErrorStatus openStatus() const { return status_; }
  T* object() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Closes the object now (a new object in no database is deleted).
  Vexa::ErrorStatus close() {
    if (!object_) return Vexa::eOk;
    T* object = std::exchange(object_, nullptr);
    status_ = Vexa::eNullObjectId;
    if (!object->isResident()) {
      delete object;
      return Vexa::eOk;
    }
    return object->close();
  }
  // Gives the object up without closing it.
  T* release() {
    status_ = Vexa::eNullObjectId;
    return std::exchange(object_, nullptr);
  }

 private:
  T* object_ = nullptr;
  Vexa::ErrorStatus status_ = Vexa::eNullObjectId;
};
