#pragma once

#include <memory>
#include <string>

#include "sdk/base/QvString.h"

class QvDbDatabase;

// Drawing files for the program: reading a drawing into a new database and saving one.
class TarvoDrawingFiles {
 public:
  // The drawing of a file; null with the reason in `error` when it cannot be read.
  static std::unique_ptr<QvDbDatabase> read(const std::string& path, QvString& error);
  // Saves a drawing; false with the reason in `error`.
  static bool write(QvDbDatabase& db, const std::string& path, QvString& error);
};
