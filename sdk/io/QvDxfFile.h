#pragma once

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"

class QvDbDatabase;

// Drawings as DXF files, the stand-in's drawing format (QvDbDatabase::readDwgFile, dxfIn and
// saveAs use it). Reading takes R12 to R2018 text, writing gives R2018 (AC1032). A read
// replaces the database's contents only when the whole file was read; a file that is not DXF
// text or does not hold together is refused with eBadDxfFile (eFileNotFound, eFileAccessError
// for files that cannot be read) and `message` says what is wrong and on which line. After a
// successful read `message` lists what was mended, if anything (an undefined layer made, ...).
// Writing goes to a file beside the target that takes its place only when complete.
class QvDxfFile {
 public:
  static Vexa::ErrorStatus readText(std::string text, QvDbDatabase& db, QvString& message);
  static Vexa::ErrorStatus readFile(const QvString& path, QvDbDatabase& db, QvString& message);

  static Vexa::ErrorStatus writeText(QvDbDatabase& db, std::string& text, QvString& message);
  // With keepBackup, a file already at `path` is kept as the same name with ".bak".
  static Vexa::ErrorStatus writeFile(QvDbDatabase& db, const QvString& path, bool keepBackup,
                                     QvString& message);
};
