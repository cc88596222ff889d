#pragma once

#include <cstddef>

class QvDxfFileExtras;
class QvDxfReadSession;
class QvDxfTokens;

// The TABLES section: each symbol table with its records, whose names the session notes for
// the references that follow. A second "*Active" viewport (a tiled configuration) is kept as
// read in the file extras; any other name used twice in a table is refused. A file without
// tables gets a drawing's standard ones before its first entity (ensureTables).
class QvDxfTableReader {
 public:
  QvDxfTableReader(QvDxfReadSession& session, QvDxfFileExtras& extras);

  void read(size_t begin, size_t end);
  // Makes a drawing's standard tables unless the file had tables, and notes their records.
  // With `rootFollows` (the file has an OBJECTS section) the drawing's root dictionary is left
  // to the file.
  void ensureTables(bool rootFollows = false);

 private:
  void readTable(size_t begin, size_t end);

  QvDxfReadSession& session_;
  const QvDxfTokens& tokens_;
  QvDxfFileExtras& extras_;
  bool sawTables_ = false;
};
