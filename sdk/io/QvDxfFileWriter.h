#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfWriteSession.h"

class QvDbDatabase;
class QvDbBlockTableRecord;
class QvDbEntity;
class QvDxfProgress;

// Writes a database as the text of a DXF file of version R2018 (AC1032, UTF-8): header,
// classes, the nine tables, the blocks with their BLOCK and ENDBLK markers, the entities of
// model space and of the active paper space, the objects from the root dictionary on, and the
// sections kept from the file the drawing was read from. Erased objects are left out, and
// references to them are written as null handles.
class QvDxfFileWriter {
 public:
  explicit QvDxfFileWriter(QvDbDatabase& db);

  // The text in two parts: the header and classes, which are known only once the rest is
  // written, then the rest. A file takes them one after the other, without moving the rest.
  struct Parts {
    std::string head;
    std::string body;
    // The whole text, made from the parts.
    std::string joined() && {
      body.insert(0, head);
      return std::move(body);
    }
  };
  Parts writeParts();

 private:
  void writeTables();
  void writeTable(QvDbObjectId tableId, std::string_view name);
  void writeBlocks();
  void writeBlockMarker(const QvDbBlockTableRecord& block, bool begin);
  void writeEntitiesOf(QvDbObjectId blockId);
  // An entity with what follows it: its followers and sequence end, or the records kept with it.
  void writeEntity(QvDbObjectId id);
  void writeSequenceEnd(const QvDbEntity& owner);
  void writeKeptFollowers(const QvDbEntity& owner);
  void writeObjects();
  void writeObject(QvDbObjectId id);
  void writeKeptSections();
  std::string headerAndClasses();

  // Counts an entity or object written on the progress meter.
  void written();

  QvDbDatabase& db_;
  QvDxfWriteSession session_;
  QvDxfProgress* progress_ = nullptr;  // while writeParts() runs
  uint64_t written_ = 0;
};
