#include "host/commands/TarvoBlockCountCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "xqcmdutil/XqBlockInserts.h"

int TarvoBlockCountCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (selection.ask() != kQvNormal) return kQvCancel;
  if (CountBlockInserts(selection.name()) != kQvNormal) {
    TarvoCommandInput::say(L"\nNo block references were counted.");
    return kQvError;
  }
  return kQvNormal;
}
