#pragma once

#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;
class QvDbEntity;

// Steps that set a drawing up for a test; a refusal fails the test.

// Appends a new entity to a block (model space, a block definition) and closes it.
QvDbObjectId appendEntity(QvDbObjectId blockId, QvDbEntity* entity);
// Adds an empty block definition of that name.
QvDbObjectId addBlock(QvDbDatabase* db, const wchar_t* name);
