#include "sdk/db/QvDbViewportTableRecord.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbViewportTableRecord)

bool QvDbViewportTableRecord::acceptsSpecialName(const QvString& name) const {
  return name.compareNoCase(L"*Active") == 0;
}

bool QvDbViewportTableRecord::isRenamable() const {
  return QvDbSymbolTableRecord::isRenamable() && storedName().compareNoCase(L"*Active") != 0;
}
