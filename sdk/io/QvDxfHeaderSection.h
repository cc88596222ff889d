#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbHandle.h"

class QvDbDatabase;
class QvDxfFileExtras;
class QvDxfOutput;
class QvDxfReadSession;

// The HEADER section. Reading: $ACADVER and $DWGCODEPAGE set the session's version and text;
// $HANDSEED raises the handle seed; the variables the database knows are set in it (a value of
// the wrong kind or out of range is refused); the current layer, linetype, text style and
// dimension style are named here and set once the tables are read; every other variable is
// kept as read in the file extras, in the file's order.
class QvDxfHeaderSection {
 public:
  struct CurrentRecords {
    QvString layer, linetype, textStyle, dimStyle;
    uint32_t layerLine = 0, linetypeLine = 0, textStyleLine = 0, dimStyleLine = 0;
  };

  // The version and code page, read before anything else.
  static void readVersion(QvDxfReadSession& session, size_t begin, size_t end);
  static void read(QvDxfReadSession& session, size_t begin, size_t end, QvDxfFileExtras& extras,
                   CurrentRecords& current);
  // Writes the section: version R2018, UTF-8, the handle seed, and the variables in the order
  // the file had them (known ones with the database's values), then those the database knows
  // that the file had not.
  static void write(QvDxfOutput& out, QvDbDatabase& db, const QvDxfFileExtras* extras,
                    QvDbHandle handseed);
};
