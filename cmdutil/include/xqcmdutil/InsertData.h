#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqPackedField.h"

// The insert command's request (CreateInsertEnt), filled by the host's insert command and used
// by the flow as its working record. The caller and the module share it through the exported
// entry, so it is byte-aligned and the order and width of every field is fixed (checked
// below). Texts and maps sit in XqPackedField slots; points, vectors, scales and the id are
// read and written by copy (d.insertionPoint = p), never through a reference to the field.
#pragma pack(push, 1)
struct InsertData {
  // No name question: blockName (and maybe filePath) are given.
  bool nameGiven = false;
  // Array insert: rows and columns are asked; "*" names are refused.
  bool isMInsert = false;
  // A difference in annotative-ness between the block and the current dimension style stops
  // the insert.
  bool checkDimStyleAnnotative = false;
  bool askInsertionPoint = true;
  // Cleared when the scale or the rotation was given through a keyword.
  bool askScale = true;
  bool askRotation = true;
  uint8_t reserved1 = 0;
  // The block name, after resolution the definition's name.
  XqPackedField<QvString> blockName;
  // The drawing file to take the definition from, after resolution the full path found.
  XqPackedField<QvString> filePath;
  uint8_t reserved2 = 0;
  QvGePoint3d insertionPoint;
  // Normal of the base-point preview reference.
  QvGeVector3d normal;
  QvGeScale3d scale;
  double rotation = 0.0;  // radians
  // Scale and rotation shown while dragging.
  QvGeScale3d presetScale;
  double presetRotation = 0.0;
  int32_t columns = 1;
  int32_t rows = 1;
  double columnSpacing = 0.0;
  double rowSpacing = 0.0;
  // Explode after inserting (a name typed with a leading "*").
  bool explode = false;
  // Only a uniform scale is asked.
  bool uniformScale = false;
  // Set when the flow redefined the block from a file.
  bool definitionUpdated = false;
  // An existing block of the name is redefined from the given file.
  bool redefineFromFile = false;
  // ".dwt" files are read too.
  bool acceptTemplateFile = false;
  uint8_t reserved3[3] = {0, 0, 0};
  // With acceptTemplateFile: a given file is read and compared with the blocks it holds,
  // nothing is inserted and the result is -5008.
  uint64_t stopBeforeInsertTag = 0;
  // The new reference.
  QvDbObjectId resultId;
  // Where the insertion-point drag last placed the block.
  QvGePoint3d dragPosition;
  // From the picked base point to the insertion point.
  QvGeVector3d basePointOffset;
  // Attribute values by attribute id, and attribute prompts by tag and index.
  XqPackedField<std::map<QvDbObjectId, QvString>> attributeValues;
  XqPackedField<std::map<QvString, QvString>> attributePrompts;
};
#pragma pack(pop)

static_assert(alignof(InsertData) == 1);
static_assert(offsetof(InsertData, nameGiven) == 0);
static_assert(offsetof(InsertData, askRotation) == 5);
static_assert(offsetof(InsertData, reserved1) == 6);
static_assert(offsetof(InsertData, blockName) == 7);
static_assert(offsetof(InsertData, filePath) == 15);
static_assert(offsetof(InsertData, reserved2) == 23);
static_assert(offsetof(InsertData, insertionPoint) == 24);
static_assert(offsetof(InsertData, normal) == 48);
static_assert(offsetof(InsertData, scale) == 72);
static_assert(offsetof(InsertData, rotation) == 96);
static_assert(offsetof(InsertData, presetScale) == 104);
static_assert(offsetof(InsertData, presetRotation) == 128);
static_assert(offsetof(InsertData, columns) == 136);
static_assert(offsetof(InsertData, rows) == 140);
static_assert(offsetof(InsertData, columnSpacing) == 144);
static_assert(offsetof(InsertData, rowSpacing) == 152);
static_assert(offsetof(InsertData, explode) == 160);
static_assert(offsetof(InsertData, acceptTemplateFile) == 164);
static_assert(offsetof(InsertData, reserved3) == 165);
static_assert(offsetof(InsertData, stopBeforeInsertTag) == 168);
static_assert(offsetof(InsertData, resultId) == 176);
static_assert(offsetof(InsertData, dragPosition) == 184);
static_assert(offsetof(InsertData, basePointOffset) == 208);
static_assert(offsetof(InsertData, attributeValues) == 232);
static_assert(offsetof(InsertData, attributePrompts) == 240);
static_assert(sizeof(InsertData) == 248);
