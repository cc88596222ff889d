#pragma once

#include "sdk/base/VexaErrorStatus.h"

class QvDbEntity;

// The point tolerance that suits the size of an entity's coordinates. `tol` comes in as the
// seed (the least tolerance the caller accepts) and goes out as the larger of the seed and
// 1e-9 times the entity's size, the largest absolute coordinate of its geometric extents: the
// error that computations on coordinates of that size carry, and the same relative rule by
// which curves test that a point lies on them. Refusals leave `tol` unchanged: eNullPtr for a
// null entity, eInvalidInput for a seed that is negative or not finite, and the status of the
// extents for an entity that has none (an unbounded curve) or may not be read.
Vexa::ErrorStatus qvdbCalDynamicTol(const QvDbEntity* entity, double& tol);
