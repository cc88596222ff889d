#pragma once

#include <initializer_list>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "xqcmdutil/XqErrorStatus.h"

// The maker's reference-counted vector. Copies share one buffer until one of them changes,
// which then takes a copy of its own, so passing a vector by value is cheap. A vector that
// cannot grow raises XqErrorStatus(Vexa::eNotApplicable); an index out of range raises
// XqErrorStatus(Vexa::eInvalidIndex). A reference obtained from a non-const accessor stays
// valid until the vector is copied or changed.
template <typename T>
class XqVector {
 public:
  XqVector() = default;
  XqVector(std::initializer_list<T> values) {
    grow([&](auto& items) { items.assign(values); });
  }

  int length() const { return items_ ? static_cast<int>(items_->size()) : 0; }
  bool isEmpty() const { return length() == 0; }
  // How many vectors share this one's buffer (0 while it has none).
  long useCount() const { return items_.use_count(); }

  const T& at(int index) const {
    const size_t i = checked(index);
    return (*items_)[i];
  }
  T& at(int index) {
    const size_t i = checked(index);
    return own()[i];
  }
  const T& operator[](int index) const { return at(index); }
  T& operator[](int index) { return at(index); }
  const T& first() const { return at(0); }
  const T& last() const { return at(length() - 1); }

  XqVector& append(const T& value) {
    grow([&](auto& items) { items.push_back(value); });
    return *this;
  }
  XqVector& append(T&& value) {
    grow([&](auto& items) { items.push_back(std::move(value)); });
    return *this;
  }
  // Inserts before `index`; `index` may be length() (append).
  XqVector& insertAt(int index, const T& value) {
    if (index != length()) checked(index);
    grow([&](auto& items) { items.insert(items.begin() + index, value); });
    return *this;
  }
  XqVector& setAt(int index, const T& value) {
    at(index) = value;
    return *this;
  }
  XqVector& removeAt(int index) {
    const size_t i = checked(index);
    auto& items = own();
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    return *this;
  }
  XqVector& removeLast() { return removeAt(length() - 1); }
  XqVector& clear() {
    items_.reset();
    return *this;
  }

  // The index of the first element equal to `value`, or -1.
  int find(const T& value) const {
    for (int i = 0; i < length(); ++i)
      if ((*items_)[static_cast<size_t>(i)] == value) return i;
    return -1;
  }
  bool contains(const T& value) const { return find(value) >= 0; }

  const T* begin() const { return items_ ? items_->data() : nullptr; }
  const T* end() const { return items_ ? items_->data() + items_->size() : nullptr; }

  friend bool operator==(const XqVector& a, const XqVector& b) {
    if (a.items_ == b.items_) return true;
    if (a.length() != b.length()) return false;
    for (int i = 0; i < a.length(); ++i)
      if (!(a[i] == b[i])) return false;
    return true;
  }

 private:
  size_t checked(int index) const {
    if (index < 0 || index >= length()) throw XqErrorStatus(Vexa::eInvalidIndex);
    return static_cast<size_t>(index);
  }

  // The buffer, made unshared first.
  std::vector<T>& own() {
    if (!items_) {
      items_ = std::make_shared<std::vector<T>>();
    } else if (items_.use_count() > 1) {
      items_ = std::make_shared<std::vector<T>>(*items_);
    }
    return *items_;
  }

  // Runs a change that may allocate. The standard vector's operations used here leave the
  // elements as they were when they fail; the failure becomes eNotApplicable.
  template <typename Change>
  void grow(Change&& change) {
    try {
      change(own());
    } catch (const std::bad_alloc&) {
      throw XqErrorStatus(Vexa::eNotApplicable);
    } catch (const std::length_error&) {
      throw XqErrorStatus(Vexa::eNotApplicable);
    }
  }

  std::shared_ptr<std::vector<T>> items_;
};
