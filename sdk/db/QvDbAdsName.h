#pragma once

#include <cstdint>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

// Entity names of the classic interface: two 64-bit words. The first is the id's 64-bit value
// (QvDbObjectId::asOldId), the second is 0. The null id is the name (0, 0).
Vexa::ErrorStatus qvdbGetAdsName(int64_t name[2], QvDbObjectId id);
// eInvalidInput for a name that names no object of a live database (the id is then null);
// the name (0, 0) gives the null id and eOk.
Vexa::ErrorStatus qvdbGetObjectId(QvDbObjectId& id, const int64_t name[2]);
