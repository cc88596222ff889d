#include "sdk/ge/QvGeInterval.h"

#include <algorithm>
#include <cmath>

QvGeInterval::QvGeInterval(double tol) {
  setTolerance(tol);
}

QvGeInterval::QvGeInterval(double lower, double upper, double tol) {
  setTolerance(tol);
  set(lower, upper);
}

QvGeInterval QvGeInterval::fromLower(double lower, double tol) {
  QvGeInterval i(tol);
  i.set(true, lower);
  return i;
}

QvGeInterval QvGeInterval::fromUpper(double upper, double tol) {
  QvGeInterval i(tol);
  i.set(false, upper);
  return i;
}

QvGeInterval& QvGeInterval::set(double lower, double upper) {
  lower_ = std::min(lower, upper);
  upper_ = std::max(lower, upper);
  boundedBelow_ = boundedAbove_ = true;
  return *this;
}

QvGeInterval& QvGeInterval::set(bool boundedBelow, double bound) {
  set();
  if (boundedBelow) {
    lower_ = bound;
    boundedBelow_ = true;
  } else {
    upper_ = bound;
    boundedAbove_ = true;
  }
  return *this;
}

QvGeInterval& QvGeInterval::set() {
  lower_ = -kInfinity;
  upper_ = kInfinity;
  boundedBelow_ = boundedAbove_ = false;
  return *this;
}

QvGeInterval& QvGeInterval::setLower(double lower) {
  lower_ = lower;
  boundedBelow_ = true;
  if (boundedAbove_ && upper_ < lower_) std::swap(lower_, upper_);
  return *this;
}

QvGeInterval& QvGeInterval::setUpper(double upper) {
  upper_ = upper;
  boundedAbove_ = true;
  if (boundedBelow_ && upper_ < lower_) std::swap(lower_, upper_);
  return *this;
}

QvGeInterval& QvGeInterval::setTolerance(double tol) {
  if (std::isfinite(tol) && tol >= 0.0) tol_ = tol;
  return *this;
}

double QvGeInterval::element() const {
  if (isBounded()) return 0.5 * (lower_ + upper_);
  if (boundedBelow_) return lower_;
  if (boundedAbove_) return upper_;
  return 0.0;
}

double QvGeInterval::length() const {
  return isBounded() ? upper_ - lower_ : -1.0;
}

bool QvGeInterval::contains(double value) const {
  if (std::isnan(value)) return false;
  if (boundedBelow_ && value < lower_ - tol_) return false;
  if (boundedAbove_ && value > upper_ + tol_) return false;
  return true;
}

bool QvGeInterval::contains(const QvGeInterval& other) const {
  if (boundedBelow_ && (!other.boundedBelow_ || other.lower_ < lower_ - tol_)) return false;
  if (boundedAbove_ && (!other.boundedAbove_ || other.upper_ > upper_ + tol_)) return false;
  return true;
}

bool QvGeInterval::isDisjoint(const QvGeInterval& other) const {
  QvGeInterval unused;
  return !intersectWith(other, unused);
}

bool QvGeInterval::intersectWith(const QvGeInterval& other, QvGeInterval& result) const {
  QvGeInterval r(std::max(tol_, other.tol_));
  const bool below = boundedBelow_ || other.boundedBelow_;
  const bool above = boundedAbove_ || other.boundedAbove_;
  const double lo = std::max(lower_, other.lower_);
  const double hi = std::min(upper_, other.upper_);
  if (below && above && lo > hi + r.tol_) return false;
  if (below && above) {
    r.set(lo, std::max(lo, hi));
  } else if (below) {
    r.set(true, lo);
  } else if (above) {
    r.set(false, hi);
  }
  result = r;
  return true;
}

bool QvGeInterval::isEqualTo(const QvGeInterval& other) const {
  const double t = std::max(tol_, other.tol_);
  if (boundedBelow_ != other.boundedBelow_ || boundedAbove_ != other.boundedAbove_) return false;
  if (boundedBelow_ && std::fabs(lower_ - other.lower_) > t) return false;
  if (boundedAbove_ && std::fabs(upper_ - other.upper_) > t) return false;
  return true;
}

double QvGeInterval::clamp(double value) const {
  if (boundedBelow_ && value < lower_) return lower_;
  if (boundedAbove_ && value > upper_) return upper_;
  return value;
}
