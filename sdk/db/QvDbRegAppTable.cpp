#include "sdk/db/QvDbRegAppTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRegAppTable)
