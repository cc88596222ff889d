#pragma once

#include <optional>

#include "sdk/ed/QvEdDrag.h"

// The host's plain jig: a drag without a preview entity that asks a distance, from its base
// point when it has one (else from "LASTPOINT"). Use drag(), or the acquire functions alone.
class QvEdJig : public QvEdDrag {
 public:
  QvEdJig() = default;
  explicit QvEdJig(const QvGePoint3d& basePoint) : basePoint_(basePoint) {}

  DragStatus sampler() override;
  bool update() override { return true; }

  // The last distance sampled or accepted.
  double distance() const { return distance_; }

 private:
  std::optional<QvGePoint3d> basePoint_;
  double distance_ = 0.0;
};
