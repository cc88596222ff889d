#pragma once

#include <string>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/io/QvDxfDiagnostic.h"

class QvDbDatabase;

// What reading a drawing file came to: the status, and the findings: after a read, the repairs
// made (none for a sound file); after a refusal, the refusal last (after the repairs made
// before it).
struct QvDxfReadResult {
  Vexa::ErrorStatus status = Vexa::eOk;
  std::vector<QvDxfDiagnostic> diagnostics;
  std::string file;        // the file's name, for a refusal of what it holds
  size_t repairCount = 0;  // the repairs made, also those beyond the hundred listed

  bool ok() const { return status == Vexa::eOk; }
  // The refusal (null after a read).
  const QvDxfDiagnostic* refusal() const {
    return ok() || diagnostics.empty() ? nullptr : &diagnostics.back();
  }
  // The findings in words: the repairs a line each, or the refusal ("FILE, line 12: ...").
  QvString message() const;
};

// Drawings as DXF files, the stand-in's drawing format (QvDbDatabase::readDwgFile, dxfIn and
// saveAs use it). Reading takes R12 to R2018 text, writing gives R2018 (AC1032). A read
// replaces the database's contents only when the whole file was read; a file that is not DXF
// text or does not hold together is refused with eBadDxfFile (eFileNotFound, eFileAccessError
// for files that cannot be read) and a diagnostic that says what is wrong and on which line.
// After a successful read the diagnostics list what was mended, if anything (an undefined layer
// made, ...). Writing goes to a file beside the target that takes its place only when complete.
class QvDxfFile {
 public:
  static QvDxfReadResult readText(std::string text, QvDbDatabase& db);
  static QvDxfReadResult readFile(const QvString& path, QvDbDatabase& db);

  static Vexa::ErrorStatus writeText(QvDbDatabase& db, std::string& text, QvString& message);
  // With keepBackup, a file already at `path` is kept as the same name with ".bak".
  static Vexa::ErrorStatus writeFile(QvDbDatabase& db, const QvString& path, bool keepBackup,
                                     QvString& message);
};
