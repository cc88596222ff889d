#include "sdk/db/QvDbObjectContext.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbObjectContext)
