#pragma once

#include <string>

#include "sdk/io/QvDxfTokens.h"

class QvDxfProgress;

// Splits the text of a DXF file into groups. Refuses (QvDxfError, eBadDxfFile) what is not DXF
// text: a binary DXF or DWG file, a line where a group code should be that is not one, a code
// that the DXF reference does not define, bytes that cannot stand in text (NUL), and a file
// that ends before its end marker.
class QvDxfTokenizer {
 public:
  // With a progress, the bytes split so far are reported to it now and then.
  static QvDxfTokens tokenize(std::string text, QvDxfProgress* progress = nullptr);
};
