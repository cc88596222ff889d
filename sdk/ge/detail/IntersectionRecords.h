#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGePoint3d.h"

namespace qvge_detail {

// A list that keeps its first N elements inside itself, so that the usual few intersections of
// lines and arcs need no allocation.
template <class T, int N>
class InlineList {
 public:
  int size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](int i) {
    return i < N ? inline_[static_cast<size_t>(i)] : more_[static_cast<size_t>(i - N)];
  }
  const T& operator[](int i) const {
    return i < N ? inline_[static_cast<size_t>(i)] : more_[static_cast<size_t>(i - N)];
  }
  void push_back(const T& value) {
    if (size_ < N)
      inline_[static_cast<size_t>(size_)] = value;
    else
      more_.push_back(value);
    ++size_;
  }
  void removeAt(int i) {
    for (int k = i; k + 1 < size_; ++k) (*this)[k] = (*this)[k + 1];
    if (size_ > N) more_.pop_back();
    --size_;
  }
  void clear() {
    size_ = 0;
    more_.clear();
  }
  template <class Less>
  void sort(Less less) {
    // Insertion sort: the lists are short.
    for (int i = 1; i < size_; ++i)
      for (int k = i; k > 0 && less((*this)[k], (*this)[k - 1]); --k)
        std::swap((*this)[k], (*this)[k - 1]);
  }

 private:
  std::array<T, N> inline_{};
  std::vector<T> more_;
  int size_ = 0;
};

// One intersection: parameters on both curves, the points there and how the curves meet.
struct IntRecord {
  double param1 = 0.0;
  double param2 = 0.0;
  QvGePoint3d point1;
  QvGePoint3d point2;
  QvGe::IntConfig config = QvGe::kIntCrossing;
};

// A piece the curves share: the parameter ranges on both (lo2 > hi2 when the second curve runs
// the other way).
struct IntOverlap {
  double lo1 = 0.0, hi1 = 0.0;
  double lo2 = 0.0, hi2 = 0.0;
};

// What the intersection algorithms write to: records and overlaps in the parameters of the
// curves they were given (the first and second as the caller ordered them). complete turns
// false when a method stopped at its work limit, so that some meetings may be missing.
struct IntSink {
  InlineList<IntRecord, 4> records;
  InlineList<IntOverlap, 2> overlaps;
  bool complete = true;

  void add(double p1, double p2, const QvGePoint3d& pt1, const QvGePoint3d& pt2,
           QvGe::IntConfig config) {
    records.push_back({p1, p2, pt1, pt2, config});
  }
};

}  // namespace qvge_detail
