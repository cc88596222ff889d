#include "sdk/db/QvDbAdsName.h"

Vexa::ErrorStatus qvdbGetAdsName(int64_t name[2], QvDbObjectId id) {
  name[0] = id.asOldId();
  name[1] = 0;
  return Vexa::eOk;
}

Vexa::ErrorStatus qvdbGetObjectId(QvDbObjectId& id, const int64_t name[2]) {
  id.setNull();
  if (name[0] == 0 && name[1] == 0) return Vexa::eOk;
  if (name[1] != 0) return Vexa::eInvalidInput;
  id.setFromOldId(name[0]);
  return id.isNull() ? Vexa::eInvalidInput : Vexa::eOk;
}
