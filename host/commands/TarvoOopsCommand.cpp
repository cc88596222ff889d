#include "host/commands/TarvoOopsCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/app/VexaDocContext.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

int TarvoOopsCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaDocContext* doc = GetVexaAppCtxActiveDocContext();
  const QvDbObjectIdArray ids = doc ? doc->oopsEnts() : QvDbObjectIdArray();
  int restored = 0;
  for (const QvDbObjectId& id : ids) {
    if (!id.isValid() || !id.isErased()) continue;
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite, true);
    if (entity.openStatus() == Vexa::eOk && entity->erase(false) == Vexa::eOk) ++restored;
  }
  if (doc) doc->clearOopsEnts();
  if (restored == 0) {
    TarvoCommandInput::say(L"\nNothing to bring back.");
    return kQvNone;
  }
  TarvoCommandInput::say(
      QvString::format(L"\n%d object%s brought back.", restored, restored == 1 ? L"" : L"s"));
  return kQvNormal;
}
