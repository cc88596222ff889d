#pragma once

#include <TopoDS_Shape.hxx>

namespace qvmodeler_detail {

// What a 3D solid or surface holds: its shape (null without a body).
struct BodyShape {
  TopoDS_Shape shape;
};

}  // namespace qvmodeler_detail
