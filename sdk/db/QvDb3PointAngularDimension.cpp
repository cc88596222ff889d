#include "sdk/db/QvDb3PointAngularDimension.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb3PointAngularDimension)
