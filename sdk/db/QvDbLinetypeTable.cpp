#include "sdk/db/QvDbLinetypeTable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLinetypeTable)
