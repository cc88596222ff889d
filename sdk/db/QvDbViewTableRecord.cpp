#include "sdk/db/QvDbViewTableRecord.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbViewTableRecord)
