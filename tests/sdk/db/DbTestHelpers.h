#pragma once

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbObjectIterator.h"
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
// The owner of an object, erased or not (null when it does not open).
QvDbObjectId ownerOf(QvDbObjectId id);
// The block a reference uses (null when it does not open).
QvDbObjectId blockOfReference(QvDbObjectId referenceId);
// The values of the live test entities of a block, in order.
std::vector<int> valuesIn(QvDbObjectId blockId);
// The ids an iterator of owned entities (vertices, attributes) walks over, in order; the
// iterator is deleted.
QvDbObjectIdArray idsOf(QvDbObjectIterator* iterator);
// The clone of `key` in a deep clone's map; null (and a failure) when it has no entry.
QvDbObjectId cloneOf(const QvDbIdMapping& map, QvDbObjectId key);
