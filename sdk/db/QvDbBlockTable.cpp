#include "sdk/db/QvDbBlockTable.h"

#include <cwctype>

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbBlockTable)

bool QvDbBlockTable::isAnonymousPrefix(const QvString& name) const {
  return name.length() == 2 && name.getAt(0) == L'*' &&
         std::iswalpha(static_cast<wint_t>(name.getAt(1))) != 0;
}
