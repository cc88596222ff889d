#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

// The Windows class library's array template, as the older interfaces use it: a value type
// whose elements are reached by index from 0. An index outside the array is a programming
// error and raises std::out_of_range instead of reading or writing past the end.
template <typename TYPE>
class CArray {
 public:
  CArray() = default;

  int GetSize() const { return static_cast<int>(items_.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return items_.empty(); }
  // New slots are value-initialised; a shorter size drops the tail.
  void SetSize(int size) { items_.resize(size > 0 ? static_cast<size_t>(size) : 0); }

  const TYPE& GetAt(int index) const { return items_.at(checked(index)); }
  TYPE& ElementAt(int index) { return items_.at(checked(index)); }
  void SetAt(int index, const TYPE& value) { items_.at(checked(index)) = value; }
  const TYPE& operator[](int index) const { return GetAt(index); }
  TYPE& operator[](int index) { return ElementAt(index); }
  const TYPE* GetData() const { return items_.data(); }

  // Adds at the end; answers the new element's index.
  int Add(const TYPE& value) {
    items_.push_back(value);
    return GetUpperBound();
  }
  // Appends the other array's elements; answers the index of the first one added.
  int Append(const CArray& other) {
    const int first = GetSize();
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return first;
  }
  // Inserts `count` copies before `index`; an index at or past the end appends.
  void InsertAt(int index, const TYPE& value, int count = 1) {
    if (index < 0) throw std::out_of_range("CArray::InsertAt: negative index");
    if (count <= 0) return;
    const size_t at = std::min(static_cast<size_t>(index), items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), static_cast<size_t>(count),
                  value);
  }
  void RemoveAt(int index, int count = 1) {
    if (count <= 0) return;
    if (index < 0 || index + count > GetSize())
      throw std::out_of_range("CArray::RemoveAt: index out of range");
    items_.erase(items_.begin() + index, items_.begin() + index + count);
  }
  void RemoveAll() { items_.clear(); }
  void Copy(const CArray& other) { items_ = other.items_; }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const CArray& other) const { return items_ == other.items_; }

 private:
  static size_t checked(int index) {
    if (index < 0) throw std::out_of_range("CArray: negative index");
    return static_cast<size_t>(index);
  }

  std::vector<TYPE> items_;
};
