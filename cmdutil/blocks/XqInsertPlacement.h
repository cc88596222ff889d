#pragma once

#include "sdk/ed/QvEdDrag.h"

struct InsertCommandState;

// The placement questions of the interactive insert and the creation that ends it: the
// insertion point with its keywords, the scale, the rotation and the array layout, each
// previewed by a drag; then the reference (CreateInsert), hidden while its attribute values
// are entered. Each answers a classic result code; any code but 5100 ends the command.
namespace XqInsertPlacement {

// The whole sequence; the new reference in the request's resultId.
int run(InsertCommandState& state);

// The insertion point; a keyword asks its value and the point is asked again.
int askInsertionPoint(InsertCommandState& state);
// The Basepoint keyword: the block is shown at the drag position and the point picked
// becomes the base point (the offset the drags add to the cursor).
int askBasePoint(InsertCommandState& state);
// The scale after the point: one factor, or X, Y and Z in stages.
int askUniformScale(InsertCommandState& state);
int askFreeScale(InsertCommandState& state);
int askRotation(InsertCommandState& state);
// Rows, columns and their spacings (typed, or a unit cell dragged from a corner).
int askArray(InsertCommandState& state);

// The result code of a drag status: cancel -5002, Enter 5000, a value 5100, a keyword -5005,
// a zero value -5003, anything else -5001.
int dragResult(QvEdDrag::DragStatus status);

}  // namespace XqInsertPlacement
