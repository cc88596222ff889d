#include "sdk/db/QvDbViewportTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbViewportTable)
