#include "sdk/db/QvDbUCSTableRecord.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbUCSTableRecord)
