#pragma once

#include <utility>
#include <variant>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeRay3d.h"

namespace qvdb_detail {

// Room on the stack for the geometry curve of a one-piece curve entity, so that its queries
// allocate nothing.
class GeCurveBuffer {
 public:
  template <class Curve, class... Args>
  Curve& emplace(Args&&... args) {
    return value_.template emplace<Curve>(std::forward<Args>(args)...);
  }

 private:
  std::variant<std::monostate, QvGeLineSeg3d, QvGeLine3d, QvGeRay3d, QvGeCircArc3d, QvGeEllipArc3d>
      value_;
};

}  // namespace qvdb_detail
