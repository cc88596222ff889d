#include "host/commands/TarvoChangeLayerCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/XqEntityData.h"
#include "xqcmdutil/XqNames.h"

int TarvoChangeLayerCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (selection.ask() != kQvNormal) return kQvCancel;
  QvString layer;
  if (qvedGetString(1, L"\nNew layer name: ", layer) != kQvNormal) return kQvCancel;
  if (!isValidSymbolName(layer.c_str(), 0)) {
    TarvoCommandInput::say(L"\nThat is not a layer name.");
    return kQvError;
  }
  int moved = 0, refused = 0;
  for (const QvDbObjectId& id : selection.ids()) {
    int64_t name[2] = {0, 0};
    qvdbGetAdsName(name, id);
    (SetEntLayer(name, layer.c_str()) == kQvNormal ? moved : refused) += 1;
  }
  TarvoCommandInput::say(
      QvString::format(L"\n%d object(s) moved to layer %ls.", moved, layer.c_str()));
  return refused == 0 ? kQvNormal : kQvError;
}
