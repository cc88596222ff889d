#pragma once

#include <TopoDS_Shape.hxx>

#include <vector>

#include <TopoDS_Face.hxx>

namespace qvmodeler_detail {

// What a region holds: planar faces (a face, or a compound of faces; null when empty), every
// face's normal on the same side of the plane.
struct RegionShape {
  TopoDS_Shape shape;
};

// The faces of a shape, in the order the shape holds them.
std::vector<TopoDS_Face> facesOf(const TopoDS_Shape& shape);

}  // namespace qvmodeler_detail
