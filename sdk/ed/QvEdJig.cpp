#include "sdk/ed/QvEdJig.h"

QvEdDrag::DragStatus QvEdJig::sampler() {
  double d = distance_;
  const DragStatus status = basePoint_ ? acquireDist(d, *basePoint_) : acquireDist(d);
  if (status != kNormal) return status;
  if (d == distance_) return kNoChange;
  distance_ = d;
  return kNormal;
}
