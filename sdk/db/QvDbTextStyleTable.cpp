#include "sdk/db/QvDbTextStyleTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbTextStyleTable)
