#include "host/commands/TarvoXrefFileCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/VexaServicesManager.h"

int TarvoXrefFileCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString stored;
  if (qvedGetString(1, L"\nStored path of the reference: ", stored) != kQvNormal) return kQvCancel;
  QvDbBlockTableRecord reference;  // a definition of no drawing, with the path only
  reference.setPathName(stored.trim().c_str());
  QvString found;
  if (!VexaServicesManager::getActualXrefFileName(&reference, found)) {
    TarvoCommandInput::say(QvString::format(L"\nNo file found for %ls.", stored.c_str()));
    return kQvError;
  }
  TarvoCommandInput::say(QvString::format(L"\nFound: %ls", found.c_str()));
  return kQvNormal;
}
