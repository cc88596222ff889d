#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"

struct QvDbObjectStub;

// The rules of opening and closing a database object, on its stub: a write open excludes every
// other open but notify opens; reads may be many; a notify open is refused nothing. The
// database's count of open objects follows every change. Internal to the database.
class QvDbOpenRules {
 public:
  // Opens without the class and erase checks of qvdbOpenObject.
  static Vexa::ErrorStatus open(QvDbObjectStub* stub, QvDb::OpenMode mode);
  // Ends one open (notify first, then write, then read); at the last close of a modified
  // object its reactors are told, and an object taken out of its database is deleted.
  static Vexa::ErrorStatus close(QvDbObjectStub* stub);
};
