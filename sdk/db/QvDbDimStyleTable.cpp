#include "sdk/db/QvDbDimStyleTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDimStyleTable)
