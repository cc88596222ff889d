#pragma once

#include <algorithm>
#include <cmath>

namespace qvge_detail {

// An axis-aligned box over a point type with x, y (and z) indexable through operator[].
// Empty until the first point is added: the minimum then holds +1e20 and the maximum -1e20 in
// every coordinate.
template <class Point, int Dim>
class GeBox {
 public:
  static constexpr double kEmptyBound = 1e20;

  GeBox() { clear(); }
  GeBox(const Point& a, const Point& b) {
    clear();
    addPoint(a);
    addPoint(b);
  }

  void clear() {
    for (int i = 0; i < Dim; ++i) {
      min_[i] = kEmptyBound;
      max_[i] = -kEmptyBound;
    }
  }
  bool isValid() const {
    for (int i = 0; i < Dim; ++i)
      if (!(min_[i] <= max_[i])) return false;
    return true;
  }
  const Point& minPoint() const { return min_; }
  const Point& maxPoint() const { return max_; }

  void addPoint(const Point& p) {
    for (int i = 0; i < Dim; ++i) {
      if (std::isnan(p[i])) continue;
      min_[i] = std::min(min_[i], p[i]);
      max_[i] = std::max(max_[i], p[i]);
    }
  }
  void addBox(const GeBox& other) {
    if (!other.isValid()) return;
    addPoint(other.min_);
    addPoint(other.max_);
  }
  // Grows (or, with a negative distance, shrinks down to the center) on every side.
  void expandBy(double distance) {
    if (!isValid()) return;
    for (int i = 0; i < Dim; ++i) {
      const double mid = 0.5 * (min_[i] + max_[i]);
      min_[i] = std::min(min_[i] - distance, mid);
      max_[i] = std::max(max_[i] + distance, mid);
    }
  }
  bool contains(const Point& p, double tol) const {
    for (int i = 0; i < Dim; ++i)
      if (p[i] < min_[i] - tol || p[i] > max_[i] + tol) return false;
    return true;
  }
  // Apart by more than tol in some coordinate; an empty box is apart from everything.
  bool isDisjoint(const GeBox& other, double tol) const {
    if (!isValid() || !other.isValid()) return true;
    for (int i = 0; i < Dim; ++i)
      if (other.min_[i] > max_[i] + tol || min_[i] > other.max_[i] + tol) return true;
    return false;
  }
  // Length of the diagonal; 0 for an empty box.
  double diagonal() const {
    if (!isValid()) return 0.0;
    double sum = 0.0;
    for (int i = 0; i < Dim; ++i) sum += (max_[i] - min_[i]) * (max_[i] - min_[i]);
    return std::sqrt(sum);
  }

 private:
  Point min_;
  Point max_;
};

}  // namespace qvge_detail
