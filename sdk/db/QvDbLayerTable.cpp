#include "sdk/db/QvDbLayerTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLayerTable)
