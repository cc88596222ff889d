#pragma once

#include <string>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfWriteSession.h"

class QvDbDatabase;
class QvDbBlockTableRecord;

// Writes a database as the text of a DXF file of version R2018 (AC1032, UTF-8): header,
// classes, the nine tables, the blocks with their BLOCK and ENDBLK markers, the entities of
// model space and of the active paper space, the objects from the root dictionary on, and the
// sections kept from the file the drawing was read from. Erased objects are left out, and
// references to them are written as null handles.
class QvDxfFileWriter {
 public:
  explicit QvDxfFileWriter(QvDbDatabase& db);

  std::string write();

 private:
  void writeTables();
  void writeTable(QvDbObjectId tableId, std::string_view name);
  void writeBlocks();
  void writeBlockMarker(const QvDbBlockTableRecord& block, bool begin);
  void writeEntitiesOf(QvDbObjectId blockId);
  void writeObjects();
  void writeObject(QvDbObjectId id);
  void writeKeptSections();
  std::string headerAndClasses();

  QvDbDatabase& db_;
  QvDxfWriteSession session_;
};
