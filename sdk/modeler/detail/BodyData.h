#pragma once

#include <TopoDS_Shape.hxx>

#include "sdk/db/QvDbModelerEntity.h"

namespace qvmodeler_detail {

// A body as modeler data: the modeler's own text form of the shape (its topology stream), one
// line per text group (blank lines as empty groups), trimmed, lines longer than a group holds
// continued in groups 3, and a last line that counts the lines before it and holds a hash of
// them.
QvDbModelerData dataOfShape(const TopoDS_Shape& shape);

// The shape the data holds, when it is the modeler's text form; false (shape untouched) for
// other data: binary chunks, another modeler's text, data that is not whole.
bool shapeOfData(const QvDbModelerData& data, TopoDS_Shape& shape);

}  // namespace qvmodeler_detail
