#include "sdk/db/QvDbRegAppTableRecord.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRegAppTableRecord)

bool QvDbRegAppTableRecord::isRenamable() const {
  return QvDbSymbolTableRecord::isRenamable() && storedName().compareNoCase(L"ACAD") != 0;
}
