#include "host/commands/TarvoWcMatchCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvutWcMatch.h"
#include "sdk/ed/qvedInput.h"

int TarvoWcMatchCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString text;
  QvString pattern;
  if (qvedGetString(1, L"\nText: ", text) != kQvNormal) return kQvCancel;
  if (qvedGetString(1, L"\nPattern: ", pattern) != kQvNormal) return kQvCancel;
  const std::optional<bool> ignoreCase =
      TarvoCommandInput::yesNo(L"\nIgnore case? [Yes/No] <No>: ", false);
  if (!ignoreCase) return kQvCancel;
  const bool match = qvutWcMatchEx(text.c_str(), pattern.c_str(), *ignoreCase) == kQvNormal;
  TarvoCommandInput::say(match ? L"\nMatches." : L"\nDoes not match.");
  return kQvNormal;
}
