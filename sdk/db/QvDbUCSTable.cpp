#include "sdk/db/QvDbUCSTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbUCSTable)
