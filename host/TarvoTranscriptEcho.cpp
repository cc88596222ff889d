#include "host/TarvoTranscriptEcho.h"

#include <memory>
#include <ostream>

#include "sdk/ed/VexaCommandLineText.h"
#include "sdk/ed/VexaTranscript.h"

TarvoTranscriptEcho::TarvoTranscriptEcho(std::ostream& out) : out_(out) {
  VexaTranscript* transcript = VexaTranscript::current();
  if (!transcript) return;
  auto layout = std::make_shared<VexaCommandLineText>();
  transcript->setSink([this, layout](const VexaTranscriptEntry& entry) {
    const QvString added = layout->append(entry);
    if (added.isEmpty()) return;
    out_ << added.utf8() << std::flush;
    atLineStart_ = added.getAt(added.length() - 1) == L'\n';
  });
}

TarvoTranscriptEcho::~TarvoTranscriptEcho() {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->setSink({});
  if (!atLineStart_) out_ << '\n' << std::flush;
}
