#include "sdk/db/QvDbViewTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbViewTable)
