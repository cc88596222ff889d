#pragma once

#include <cmath>

#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGePoint3d.h"

// Points of 2 sin x, or of 2 cos x, over [-6, 6] every 0.5: curves through them cross four
// times, near x = pi/4 + k pi.
inline QvGePoint3dArray wavePoints(bool cosine) {
  QvGePoint3dArray fit;
  for (int i = 0; i <= 24; ++i) {
    const double x = -6.0 + 0.5 * i;
    fit.append(QvGePoint3d(x, 2.0 * (cosine ? std::cos(x) : std::sin(x)), 0.0));
  }
  return fit;
}
