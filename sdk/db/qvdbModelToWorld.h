#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeMatrix3d.h"

// The transform from the coordinates of the entity a selection path ends at to the world: the
// product of the block transforms of the block references along the path, outermost first
// (ids before the last that are not block references add nothing). eNullObjectId for an empty
// path; the status of an id before the last that does not open.
Vexa::ErrorStatus qvdbGetModelToWorldTransform(const QvDbObjectIdArray& path, QvGeMatrix3d& xform);
