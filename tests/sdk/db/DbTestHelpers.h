#pragma once

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/sdk/db/TestEntity.h"
#include "tests/support/DbSetup.h"

// Small steps the database tests share: each opens and closes what it touches.

// Appends a test entity with `value` to the block `ownerId`; its id, or null.
QvDbObjectId addTestEntity(QvDbObjectId ownerId, int value);
// The value of a test entity (-1 when it does not open).
int valueOf(QvDbObjectId id);
// Appends a reference of the block `blockId` to the block `ownerId`; its id, or null.
QvDbObjectId addReference(QvDbObjectId ownerId, QvDbObjectId blockId);
// The block a reference uses (null when it does not open).
QvDbObjectId blockOfReference(QvDbObjectId referenceId);
// The values of the live test entities of a block, in order.
std::vector<int> valuesIn(QvDbObjectId blockId);
