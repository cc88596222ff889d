#include "sdk/ed/VexaTranscript.h"

#include "sdk/ed/VexaCommandLineText.h"

void VexaTranscript::add(VexaTranscriptEntry entry) {
  if (echoOff_ > 0 && entry.kind != VexaTranscriptEntry::Kind::kMessage) return;
  entries_.push_back(std::move(entry));
  if (sink_) sink_(entries_.back());
}

std::vector<QvString> VexaTranscript::texts(VexaTranscriptEntry::Kind kind) const {
  std::vector<QvString> out;
  for (const auto& e : entries_)
    if (e.kind == kind) out.push_back(e.text);
  return out;
}

QvString VexaTranscript::text() const {
  VexaCommandLineText layout;
  for (const auto& e : entries_) layout.append(e);
  return layout.text();
}

VexaTranscript* VexaTranscript::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaTranscript>() : nullptr;
}
