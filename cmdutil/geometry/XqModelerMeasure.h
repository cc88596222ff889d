#pragma once

#include "sdk/base/VexaErrorStatus.h"

class QvDbEntity;

// What the internal extensions of 3D solids and surfaces answer: the area is the entity's own
// area query (its status; eNotApplicable for an entity that is none of them), the length is 0.
Vexa::ErrorStatus xqModelerEntityArea(const QvDbEntity* entity, double& area);
Vexa::ErrorStatus xqModelerEntityLength(const QvDbEntity* entity, double& length);
