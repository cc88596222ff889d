#pragma once

#include <cmath>

namespace qvge_detail {

// Adaptive Gauss-Kronrod (7-point Gauss, 15-point Kronrod) integration of a smooth function.
// An interval is split in halves until the Kronrod and Gauss estimates agree within
// max(absTol, relTol * |estimate|) scaled to the interval's share of [a, b].
class GaussKronrod {
 public:
  template <class F>
  static double integrate(F f, double a, double b, double relTol, double absTol = 0.0) {
    if (!(b != a)) return 0.0;
    double estimate = 0.0, error = 0.0;
    rule(f, a, b, estimate, error);
    const double target = std::fmax(absTol, relTol * std::fabs(estimate));
    return refine(f, a, b, estimate, error, target, b - a, 0);
  }

 private:
  static constexpr int kMaxDepth = 40;

  template <class F>
  static void rule(F f, double a, double b, double& kronrod, double& error) {
    static constexpr double kX[8] = {
        0.991455371120812639, 0.949107912342758525, 0.864864423359769073, 0.741531185599394440,
        0.586087235467691130, 0.405845151377397167, 0.207784955007898468, 0.000000000000000000};
    static constexpr double kWK[8] = {
        0.022935322010529225, 0.063092092629978553, 0.104790010322250184, 0.140653259715525919,
        0.169004726639267903, 0.190350578064785410, 0.204432940075298892, 0.209482141084727828};
    static constexpr double kWG[4] = {0.129484966168869693, 0.279705391489276668,
                                      0.381830050505118945, 0.417959183673469388};
    const double c = 0.5 * (a + b), h = 0.5 * (b - a);
    const double fc = f(c);
    double k = fc * kWK[7], g = fc * kWG[3];
    for (int i = 0; i < 7; ++i) {
      const double sum = f(c - h * kX[i]) + f(c + h * kX[i]);
      k += kWK[i] * sum;
      if (i % 2 == 1) g += kWG[i / 2] * sum;
    }
    kronrod = k * h;
    error = std::fabs((k - g) * h);
  }

  template <class F>
  static double refine(F f, double a, double b, double estimate, double error, double target,
                       double total, int depth) {
    const double share = target * std::fabs((b - a) / total);
    if (error <= share || depth >= kMaxDepth || !std::isfinite(estimate)) return estimate;
    const double m = 0.5 * (a + b);
    double e1 = 0.0, r1 = 0.0, e2 = 0.0, r2 = 0.0;
    rule(f, a, m, e1, r1);
    rule(f, m, b, e2, r2);
    // Stop when the halves no longer improve (round-off level).
    if (std::fabs(e1 + e2 - estimate) <= 1e-15 * std::fabs(estimate) && r1 + r2 <= share)
      return e1 + e2;
    return refine(f, a, m, e1, r1, target, total, depth + 1) +
           refine(f, m, b, e2, r2, target, total, depth + 1);
  }
};

}  // namespace qvge_detail
