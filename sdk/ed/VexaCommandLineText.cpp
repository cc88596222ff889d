#include "sdk/ed/VexaCommandLineText.h"

#include "sdk/ed/VexaTranscript.h"

QvString VexaCommandLineText::append(const VexaTranscriptEntry& entry) {
  QvString added = entry.text;
  if (entry.kind == VexaTranscriptEntry::Kind::kAnswer) {
    added += L'\n';
  } else if (atLineStart_ && added.startsWith(L"\n")) {
    added = added.mid(1);
  }
  if (!added.isEmpty()) atLineStart_ = added.getAt(added.length() - 1) == L'\n';
  text_ += added;
  return added;
}
