#pragma once

#include <cstdint>

#include "sdk/db/QvDbHandle.h"

class QvDbDatabase;
class QvDbObject;

// Where a transaction level keeps its record of an object: the level's serial number and the
// object's place in the level's saved or added list. A mark only says where to look; the level
// checks that the place holds the object, so a stale mark is harmless.
struct QvDbTransactionMark {
  static constexpr uint32_t kAdded = 0x80000000u;  // the slot is in the added list
  uint32_t level = 0;
  uint32_t slot = 0;
};

// The database's record of one object: what an object id points to. It lives as long as its
// database, so ids stay valid after their object is erased or taken out again. Internal to the
// database; callers use QvDbObjectId.
struct QvDbObjectStub {
  QvDbDatabase* database = nullptr;
  QvDbObject* object = nullptr;  // null until the object arrives, and after it was removed
  QvDbHandle handle;
  int64_t oldId = 0;  // the id as a 64-bit value (see QvDbObjectId::asOldId)

  // Open state: readers, one writer, notifiers.
  uint16_t readers = 0;
  uint8_t notifiers = 0;
  bool writer = false;

  bool erased = false;
  bool erasedWithOwner = false;  // erased because its owner was; unerased with it
  bool removed = false;          // taken out of the database again (an undone addition)
  bool modified = false;         // changed during the present write open

  QvDbTransactionMark transactionMark;  // set by the innermost transaction that recorded it

  bool isOpen() const { return readers != 0 || notifiers != 0 || writer; }
};
