#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDb.h"
#include "sdk/io/QvDxfFile.h"

class QvDbDatabase;

// Drawing files for the program: reading a drawing into a new database and saving one.
class TarvoDrawingFiles {
 public:
  // The repairs listed after a read unless all are asked for.
  static constexpr size_t kRepairsShown = 5;

  // The drawing of a file; null with the reason in `error` when it cannot be read (the
  // finding with its line, without the file's name, which the caller gives). `read` receives
  // what the reader found.
  static std::unique_ptr<QvDbDatabase> read(const std::string& path, QvString& error,
                                            QvDxfReadResult* read = nullptr);
  // Saves a drawing in the given version; false with the reason in `error`.
  static bool write(QvDbDatabase& db, const std::string& path, QvString& error,
                    int version = QvDb::kDrawingVersionCurrent);
  // After a read: how many repairs the reader made and the first few with their lines (all of
  // those kept with `all`); nothing for a drawing read without repairs.
  static void writeRepairs(const QvDxfReadResult& read, const std::string& path, bool all,
                           std::ostream& to);
};
