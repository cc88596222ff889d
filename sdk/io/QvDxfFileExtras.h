#pragma once

#include <string>
#include <vector>

#include "sdk/db/QvDbFileExtras.h"
#include "sdk/io/QvDxfRawGroup.h"

class QvDbDatabase;

// What a DXF file held besides objects and the header variables the database knows, kept with
// the database (QvDbDatabase::fileExtras) and written back by the DXF writer:
// - the header variables in the file's order; those the database knows are written from its
//   values, the others as they were read;
// - the records of the CLASSES section;
// - symbol-table records a table cannot hold (a second "*Active" viewport of a tiled
//   configuration), with the table they belong to;
// - sections the reader does not read (THUMBNAILIMAGE, ACDSDATA, others), in order.
class QvDxfFileExtras : public QvDbFileExtras {
 public:
  struct HeaderVariable {
    std::string name;       // without "$", upper case
    bool known = false;     // the database holds its value
    QvDxfRawGroups groups;  // the value's groups as read (written when not known)
  };
  struct TableRecord {
    std::string table;      // "VPORT"
    QvDxfRawGroups groups;  // from the record name (0) on
  };
  struct Section {
    std::string name;
    QvDxfRawGroups groups;  // between the section's name and its ENDSEC
  };

  std::vector<HeaderVariable> header;
  std::vector<QvDxfRawGroups> classes;  // each after "0 CLASS"
  std::vector<TableRecord> tableRecords;
  std::vector<Section> sections;

  // The extras of a database, or null when it has none of this format.
  static const QvDxfFileExtras* of(const QvDbDatabase& db);
};
