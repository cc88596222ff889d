#pragma once

#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>

#include <memory>
#include <vector>

class QvDbRegion;
class QvGeCurve3d;

namespace qvmodeler_detail {

// Makes `region` the area bounded by the one closed chain the curves form (any order and
// direction, ends joined within `tolerance`). False, leaving `region` as it was, when the
// curves do not form exactly one closed chain, or it is not planar or crosses itself.
bool regionFromChain(const std::vector<std::unique_ptr<QvGeCurve3d>>& curves, double tolerance,
                     QvDbRegion& region);

// The faces of a result put together as one region's shape: every face's normal turned to the
// same side (+z, else +y, else +x), one face alone, several in a compound; null for none.
TopoDS_Shape regionShapeOf(const TopoDS_Shape& faces);

// The unit normal of a face as it is oriented.
bool faceNormal(const TopoDS_Face& face, double normal[3], double origin[3]);

}  // namespace qvmodeler_detail
