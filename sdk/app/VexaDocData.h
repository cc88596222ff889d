#pragma once

#include <cstdint>

#include "sdk/db/QvDbObjectId.h"

// What the host keeps for the active document between and inside commands.
struct VexaDocData {
  // The objects the last command that turned objects into a block removed from the drawing.
  QvDbObjectIdArray removedObjects;
  // 1 after an insert whose reference was exploded at once, 0 after a plain one.
  uint8_t explodedInsert = 0;
};

// The active (current) document's data; null when no host runs or it has no document.
VexaDocData* GetVexaAppCtxActiveDocData();
