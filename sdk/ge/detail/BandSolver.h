#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace qvge_detail {

// Solves A X = B for a square band matrix (kl diagonals below, ku above) and several
// right-hand sides, by Gaussian elimination with partial pivoting. Each row keeps the columns
// [i - kl, i + ku + kl], enough for the fill-in of the row exchanges.
class BandSolver {
 public:
  BandSolver(int n, int kl, int ku, int rhs)
      : n_(n),
        kl_(kl),
        ku_(ku),
        rhs_(rhs),
        width_(2 * kl + ku + 1),
        a_(static_cast<size_t>(n) * width_, 0.0),
        b_(static_cast<size_t>(n) * rhs, 0.0) {}

  // Entries outside the band are refused (false).
  bool set(int i, int j, double value) {
    if (j < i - kl_ || j > i + ku_) return false;
    at(i, j) = value;
    return true;
  }
  void setRhs(int i, int k, double value) { b_[static_cast<size_t>(i) * rhs_ + k] = value; }
  double solution(int i, int k) const { return b_[static_cast<size_t>(i) * rhs_ + k]; }

  // False when a pivot is zero (singular within round-off) or a value is not finite.
  bool solve() {
    const int reach = kl_ + ku_;
    for (int k = 0; k < n_; ++k) {
      int pivot = k;
      for (int r = k + 1; r <= std::min(n_ - 1, k + kl_); ++r)
        if (std::fabs(at(r, k)) > std::fabs(at(pivot, k))) pivot = r;
      if (!(std::fabs(at(pivot, k)) > 1e-300)) return false;
      if (pivot != k) {
        for (int j = k; j <= std::min(n_ - 1, k + reach); ++j) std::swap(at(k, j), at(pivot, j));
        for (int c = 0; c < rhs_; ++c) std::swap(rhs(k, c), rhs(pivot, c));
      }
      for (int r = k + 1; r <= std::min(n_ - 1, k + kl_); ++r) {
        const double f = at(r, k) / at(k, k);
        if (f == 0.0) continue;
        for (int j = k; j <= std::min(n_ - 1, k + reach); ++j) at(r, j) -= f * at(k, j);
        for (int c = 0; c < rhs_; ++c) rhs(r, c) -= f * rhs(k, c);
      }
    }
    for (int i = n_ - 1; i >= 0; --i) {
      for (int c = 0; c < rhs_; ++c) {
        double sum = rhs(i, c);
        for (int j = i + 1; j <= std::min(n_ - 1, i + reach); ++j) sum -= at(i, j) * rhs(j, c);
        rhs(i, c) = sum / at(i, i);
        if (!std::isfinite(rhs(i, c))) return false;
      }
    }
    return true;
  }

 private:
  double& at(int i, int j) { return a_[static_cast<size_t>(i) * width_ + (j - i + kl_)]; }
  double& rhs(int i, int c) { return b_[static_cast<size_t>(i) * rhs_ + c]; }

  int n_, kl_, ku_, rhs_, width_;
  std::vector<double> a_;
  std::vector<double> b_;
};

}  // namespace qvge_detail
