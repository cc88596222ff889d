#pragma once

#include <string>

#include "sdk/base/QvString.h"

class QvDbDatabase;

// The picture of a drawing for the program: model space or a layout written as an SVG file.
class TarvoPicture {
 public:
  // Draws the layout named `layout` (any case; "Model" is model space), or the drawing's
  // current layout when it is empty, into the file `path`. False with the reason in `error`.
  static bool write(QvDbDatabase& db, const std::string& layout, const std::string& path,
                    QvString& error);
};
