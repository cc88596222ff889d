#pragma once

#include "sdk/base/QvString.h"

struct VexaTranscriptEntry;

// Lays transcript entries out as command-line text. Prompts and messages are written as they
// are, except that a leading line break is dropped when the text already stands at the start
// of a line; an answer follows its prompt and ends the line.
class VexaCommandLineText {
 public:
  // Adds an entry; answers the text it added (for a live echo).
  QvString append(const VexaTranscriptEntry& entry);
  const QvString& text() const { return text_; }

 private:
  QvString text_;
  bool atLineStart_ = true;
};
