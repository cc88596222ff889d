#pragma once

#include "sdk/ge/QvGePrecision.h"

// An interval of the real line, bounded or unbounded on either side, with the tolerance used
// by its comparisons. Curves report their parameter range as an interval.
class QvGeInterval {
 public:
  static constexpr double kDefaultTol = QvGePrecision::kRoundoff;

  // The whole line.
  explicit QvGeInterval(double tol = kDefaultTol);
  // [lower, upper]; the two bounds are put in order.
  QvGeInterval(double lower, double upper, double tol = kDefaultTol);
  // Bounded on one side only: [lower, inf) and (-inf, upper].
  static QvGeInterval fromLower(double lower, double tol = kDefaultTol);
  static QvGeInterval fromUpper(double upper, double tol = kDefaultTol);

  QvGeInterval& set(double lower, double upper);
  // Bounded on one side only: [bound, inf) when boundedBelow, else (-inf, bound].
  QvGeInterval& set(bool boundedBelow, double bound);
  QvGeInterval& set();  // the whole line
  QvGeInterval& setLower(double lower);
  QvGeInterval& setUpper(double upper);
  QvGeInterval& setTolerance(double tol);

  // A bound on an unbounded side reads as -1e300 or 1e300.
  double lowerBound() const { return lower_; }
  double upperBound() const { return upper_; }
  void getBounds(double& lower, double& upper) const {
    lower = lower_;
    upper = upper_;
  }
  // The midpoint of a bounded interval; the bound, or 0, otherwise.
  double element() const;
  // upper - lower; -1 for an interval unbounded on a side.
  double length() const;
  double tolerance() const { return tol_; }

  bool isBounded() const { return boundedBelow_ && boundedAbove_; }
  bool isBoundedBelow() const { return boundedBelow_; }
  bool isBoundedAbove() const { return boundedAbove_; }
  bool isUnBounded() const { return !boundedBelow_ && !boundedAbove_; }
  bool isSingleton() const { return isBounded() && upper_ - lower_ <= tol_; }

  // Inside or within the tolerance of a bound.
  bool contains(double value) const;
  bool contains(const QvGeInterval& other) const;
  bool isDisjoint(const QvGeInterval& other) const;
  // The common part; false when there is none.
  bool intersectWith(const QvGeInterval& other, QvGeInterval& result) const;
  bool isEqualTo(const QvGeInterval& other) const;
  // The value moved into the interval.
  double clamp(double value) const;

 private:
  static constexpr double kInfinity = 1e300;
  double lower_ = -kInfinity;
  double upper_ = kInfinity;
  bool boundedBelow_ = false;
  bool boundedAbove_ = false;
  double tol_ = kDefaultTol;
};
