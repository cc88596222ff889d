#pragma once

#include <Bnd_Box.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>

class QvGeMatrix3d;

namespace qvmodeler_detail {

// The box of a shape (void for a null shape) and its diagonal (0 when void).
Bnd_Box boxOf(const TopoDS_Shape& shape);
double sizeOf(const Bnd_Box& box);

// A similarity of space as a transformation of the modeler; false for other matrices.
bool similarity(const QvGeMatrix3d& m, gp_Trsf& trsf);

}  // namespace qvmodeler_detail
