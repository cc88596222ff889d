#include "sdk/db/QvDbTrace.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbTrace)
