#pragma once

// Tolerances of geometric comparisons. equalPoint is the distance under which two points are
// the same point; equalVector is the length under which a vector (or the difference of two unit
// vectors) counts as zero. Negative or non-finite values are refused by the setters.
class QvGeTol {
 public:
  static constexpr double kDefaultEqualPoint = 1e-10;
  static constexpr double kDefaultEqualVector = 1e-12;

  QvGeTol() = default;
  QvGeTol(double equalPoint, double equalVector);

  double equalPoint() const { return equalPoint_; }
  double equalVector() const { return equalVector_; }
  // Both answer false and keep the old value when the new one is negative or not finite.
  bool setEqualPoint(double value);
  bool setEqualVector(double value);

 private:
  double equalPoint_ = kDefaultEqualPoint;
  double equalVector_ = kDefaultEqualVector;
};
