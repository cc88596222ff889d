#include "host/commands/TarvoSelectCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaPickfirstProcessor.h"

int TarvoSelectCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  const int asked = selection.askForCommand();
  if (asked == kQvCancel) return kQvCancel;
  if (asked != kQvNormal) return kQvNormal;
  QvDbObjectIdArray ids;
  for (const QvDbObjectId& id : selection.ids()) ids.append(id);
  VexaPickfirstProcessor* pickfirst = vexaGetPickfirstProc();
  if (!pickfirst) return kQvError;
  pickfirst->select(ids);
  TarvoCommandInput::say(QvString::format(L"\n%d object(s) selected.", ids.length()));
  return kQvNormal;
}
