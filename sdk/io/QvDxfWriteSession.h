#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "sdk/db/QvDbHandle.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfOutput.h"

class QvDbDatabase;

// The state of writing one database as a DXF file: the output, the handles given to markers
// that are no objects here (block begin and end, sequence ends, records kept as groups), and
// the classes of the objects written, for the CLASSES section.
class QvDxfWriteSession {
 public:
  explicit QvDxfWriteSession(QvDbDatabase& db);

  QvDbDatabase& db() { return db_; }
  QvDxfOutput& out() { return out_; }

  // A handle for a marker: the one it had in the file when no object has it and no other
  // marker took it, else a new one above every handle of the drawing.
  QvDbHandle markerHandle(std::string_view kept);
  // Above every handle written.
  QvDbHandle handseed() const;
  // Whether an object is written, so that a reference to it may stand in the file.
  bool isWritten(QvDbObjectId id) const;

  // The name of a symbol-table record as files write it (UTF-8, control characters in caret
  // notation), made once for each record.
  std::string_view recordName(QvDbObjectId recordId);

  // Whether a block table record is a paper-space layout's (its entities carry 67 = 1).
  bool isPaperSpaceBlock(QvDbObjectId blockId);

  // Counts an object of a class that files list in their CLASSES section.
  void noteClass(const QvDxfClassRecord& record);
  struct ClassUse {
    QvDxfClassRecord record;
    std::string dxfName, className, appName;  // the record's texts, owned
    int count = 0;
  };
  const std::map<std::string, ClassUse>& classes() const { return classes_; }

 private:
  bool isTaken(uint64_t handle);

  QvDbDatabase& db_;
  QvDxfOutput out_;
  std::unordered_set<uint64_t> markers_;
  uint64_t next_;
  std::map<std::string, ClassUse> classes_;
  std::unordered_map<QvDbObjectId, std::string> recordNames_;
  // The last block asked about, and the last owner that was no block (a reference, whose
  // attributes come between the entities of its space).
  QvDbObjectId lastBlock_;
  bool lastBlockIsPaper_ = false;
  QvDbObjectId lastOther_;
};
