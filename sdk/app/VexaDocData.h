#pragma once

#include <cstdint>

#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"

// What a mirror preview copies (bits of VexaDocData::mirrorMask and of the mask a command
// passes). kSymmetricalTracked keeps one copy up to date instead of adding a new one each time.
enum SymmetricalObjMask : uint32_t {
  kSymmetricalNone = 0,
  kSymmetricalLines = 1,
  kSymmetricalCurves = 2,
  kSymmetricalTexts = 4,
  kSymmetricalBlocks = 8,
  kSymmetricalOthers = 16,
  kSymmetricalTracked = 32,
};

// The kind of file a document is: a drawing, a DXF exchange file or a drawing template.
enum VexaDocFileType : int { kDocFileDwg = 0, kDocFileDxf = 1, kDocFileDwt = 2 };

// What the host keeps for the active document between and inside commands.
struct VexaDocData {
  // The objects the last command that turned objects into a block removed from the drawing.
  QvDbObjectIdArray removedObjects;
  // 1 after an insert whose reference was exploded at once, 0 after a plain one.
  uint8_t explodedInsert = 0;
  // The mirror line of the mirror preview, in the UCS; the kinds it copies; the copy kept
  // up to date under kSymmetricalTracked.
  QvGePoint3d mirrorPoint1;
  QvGePoint3d mirrorPoint2;
  uint32_t mirrorMask = kSymmetricalNone;
  QvDbObjectId mirrorCopyId;
  // The kind of the document's file and the version its next save writes.
  VexaDocFileType fileType = kDocFileDwg;
  int saveVersion = QvDb::kDrawingVersionCurrent;
};

// The active (current) document's data; null when no host runs or it has no document.
VexaDocData* GetVexaAppCtxActiveDocData();
