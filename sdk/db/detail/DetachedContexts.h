#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"

class QvDbObject;

namespace qvdb_detail {

// The annotation-scale names of objects that are not in a database (a drag's preview). A
// resident object keeps them in its extension dictionary; these are kept by the host until the
// object goes.
QvArray<QvString> detachedContexts(const QvDbObject* obj);
void setDetachedContexts(const QvDbObject* obj, const QvArray<QvString>& names);
// The object goes: its names go with it.
void forgetDetachedContexts(const QvDbObject* obj);

}  // namespace qvdb_detail
