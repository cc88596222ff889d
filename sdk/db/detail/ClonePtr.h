#pragma once

#include <memory>

namespace qvdb_detail {

// An owning pointer to a database object in no database whose copies copy the object (by
// clone), so that a class holding one keeps value semantics.
template <class T>
class ClonePtr {
 public:
  ClonePtr() = default;
  explicit ClonePtr(T* object) : object_(object) {}
  ClonePtr(const ClonePtr& other) : object_(other.copy()) {}
  ClonePtr& operator=(const ClonePtr& other) {
    if (this != &other) object_.reset(other.copy());
    return *this;
  }

  T* get() const { return object_.get(); }
  T* operator->() const { return object_.get(); }
  explicit operator bool() const { return object_ != nullptr; }
  void reset(T* object = nullptr) { object_.reset(object); }

 private:
  T* copy() const { return object_ ? static_cast<T*>(object_->clone()) : nullptr; }

  std::unique_ptr<T> object_;
};

}  // namespace qvdb_detail
