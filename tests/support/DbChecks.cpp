#include "tests/support/DbChecks.h"

#include <sstream>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/rx/QvRxClass.h"

::testing::AssertionResult nothingLeftOpen(const QvDbDatabase* db) {
  if (!db) return ::testing::AssertionFailure() << "no database";
  if (db->numOpenObjects() == 0) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << db->numOpenObjects() << " object(s) left open:";
  for (const QvDbObjectId& id : db->openObjectIds()) {
    const QvDbObjectStub* stub = id.stub();
    const QvRxClass* cls = id.objectClass();
    out << "\n  " << (cls ? QvString(cls->name()) : QvString(L"(no object)")) << " handle "
        << id.handle().ascii() << ": " << stub->readers << " read, " << (stub->writer ? 1 : 0)
        << " write, " << static_cast<int>(stub->notifiers) << " notify";
  }
  return ::testing::AssertionFailure() << out.str();
}

::testing::AssertionResult noAccessViolations(const QvDbDatabase* db) {
  if (!db) return ::testing::AssertionFailure() << "no database";
  if (db->accessViolations() == 0) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << db->accessViolations() << " access violation(s):";
  for (const QvString& line : db->accessViolationLog()) out << "\n  " << line;
  return ::testing::AssertionFailure() << out.str();
}
