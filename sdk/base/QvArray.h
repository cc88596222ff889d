#pragma once

#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <utility>
#include <vector>

// The host's dynamic array. It has a logical length (the elements in use), a physical length
// (the storage reserved) and a grow length: the least number of slots added when it must grow.
// Copies keep the source's grow length; a move takes the buffer and leaves the source empty
// with the default grow length.
template <typename T>
class QvArray {
 public:
  static constexpr int kDefaultGrowLength = 8;

  explicit QvArray(int physicalLength = 0, int growLength = kDefaultGrowLength)
      : grow_(growLength > 0 ? growLength : kDefaultGrowLength) {
    if (physicalLength > 0) items_.reserve(static_cast<size_t>(physicalLength));
  }
  QvArray(std::initializer_list<T> values) : items_(values) {}
  QvArray(const QvArray& other) : items_(other.items_), grow_(other.grow_) {}
  QvArray(QvArray&& other) noexcept : items_(std::move(other.items_)), grow_(other.grow_) {
    other.items_ = std::vector<T>();
    other.grow_ = kDefaultGrowLength;
  }
  QvArray& operator=(const QvArray& other) {
    if (this != &other) {
      items_ = other.items_;
      grow_ = other.grow_;
    }
    return *this;
  }
  QvArray& operator=(QvArray&& other) noexcept {
    if (this != &other) {
      items_ = std::move(other.items_);
      grow_ = other.grow_;
      other.items_ = std::vector<T>();
      other.grow_ = kDefaultGrowLength;
    }
    return *this;
  }
  ~QvArray() = default;

  bool operator==(const QvArray& other) const { return items_ == other.items_; }

  // Lengths.
  int length() const { return static_cast<int>(items_.size()); }
  int logicalLength() const { return length(); }
  int physicalLength() const { return static_cast<int>(items_.capacity()); }
  int growLength() const { return grow_; }
  bool isEmpty() const { return items_.empty(); }
  QvArray& setGrowLength(int growLength) {
    if (growLength > 0) grow_ = growLength;
    return *this;
  }
  // New slots are value-initialised (null for pointers and ids, 0 for numbers).
  QvArray& setLogicalLength(int n) {
    n = std::max(n, 0);
    reserveFor(n);
    items_.resize(static_cast<size_t>(n));
    return *this;
  }
  QvArray& setPhysicalLength(int n) {
    n = std::max(n, 0);
    if (n < length()) items_.resize(static_cast<size_t>(n));
    std::vector<T> copy;
    copy.reserve(static_cast<size_t>(n));
    for (auto& item : items_) copy.push_back(std::move(item));
    items_ = std::move(copy);
    return *this;
  }
  QvArray& removeAll() {
    items_.clear();
    return *this;
  }

  // Element access. Indices must lie in [0, length()).
  T& operator[](int i) { return items_[checked(i)]; }
  const T& operator[](int i) const { return items_[checked(i)]; }
  T& at(int i) { return items_[checked(i)]; }
  const T& at(int i) const { return items_[checked(i)]; }
  QvArray& setAt(int i, const T& value) {
    items_[checked(i)] = value;
    return *this;
  }
  T& first() { return at(0); }
  const T& first() const { return at(0); }
  T& last() { return at(length() - 1); }
  const T& last() const { return at(length() - 1); }
  T* asArrayPtr() { return items_.data(); }
  const T* asArrayPtr() const { return items_.data(); }

  // Changes. append answers the index of the new element. The value may be an element of
  // this array (a.append(a.first())): it is copied before the storage moves.
  int append(const T& value) {
    if (length() + 1 > physicalLength()) return append(T(value));
    items_.push_back(value);
    return length() - 1;
  }
  int append(T&& value) {
    reserveFor(length() + 1);
    items_.push_back(std::move(value));
    return length() - 1;
  }
  QvArray& append(const QvArray& other) {
    if (&other == this) {
      const std::vector<T> copy = other.items_;
      return appendRange(copy);
    }
    return appendRange(other.items_);
  }
  // Inserts before index i; i may equal length().
  QvArray& insertAt(int i, const T& value) {
    assert(i >= 0 && i <= length());
    T copy(value);  // may be an element of this array
    reserveFor(length() + 1);
    items_.insert(items_.begin() + i, std::move(copy));
    return *this;
  }
  QvArray& removeAt(int i) {
    items_.erase(items_.begin() + checked(i));
    return *this;
  }
  QvArray& removeFirst() { return removeAt(0); }
  QvArray& removeLast() { return removeAt(length() - 1); }
  QvArray& removeSubArray(int start, int end) {
    assert(start >= 0 && start <= end && end < length());
    items_.erase(items_.begin() + start, items_.begin() + end + 1);
    return *this;
  }
  // Removes the first element equal to value at or after start; true when one was removed.
  bool remove(const T& value, int start = 0) {
    int index = -1;
    if (!find(value, index, start)) return false;
    removeAt(index);
    return true;
  }
  QvArray& setAll(const T& value) {
    std::fill(items_.begin(), items_.end(), value);
    return *this;
  }
  QvArray& reverse() {
    std::reverse(items_.begin(), items_.end());
    return *this;
  }
  QvArray& swap(int i, int j) {
    std::swap(items_[checked(i)], items_[checked(j)]);
    return *this;
  }

  // Searching.
  bool find(const T& value, int& index, int start = 0) const {
    for (int i = std::max(start, 0); i < length(); ++i) {
      if (items_[static_cast<size_t>(i)] == value) {
        index = i;
        return true;
      }
    }
    return false;
  }
  int find(const T& value) const {
    int index = -1;
    return find(value, index) ? index : -1;
  }
  bool contains(const T& value, int start = 0) const {
    int index = -1;
    return find(value, index, start);
  }

  // Iteration.
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  size_t checked(int i) const {
    assert(i >= 0 && i < length() && "QvArray index out of range");
    return static_cast<size_t>(i);
  }
  // Grows storage by at least the grow length (and geometrically for long arrays).
  void reserveFor(int needed) {
    if (needed <= physicalLength()) return;
    const int step = std::max(grow_, physicalLength() / 2);
    items_.reserve(static_cast<size_t>(std::max(needed, physicalLength() + step)));
  }
  template <typename Range>
  QvArray& appendRange(const Range& range) {
    reserveFor(length() + static_cast<int>(range.size()));
    items_.insert(items_.end(), range.begin(), range.end());
    return *this;
  }

  std::vector<T> items_;
  int grow_ = kDefaultGrowLength;
};
