#include "sdk/db/QvDbSolid.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSolid)
