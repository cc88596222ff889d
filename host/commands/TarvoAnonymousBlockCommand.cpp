#include "host/commands/TarvoAnonymousBlockCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/XqAnonymousBlocks.h"

int TarvoAnonymousBlockCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (selection.ask() != kQvNormal) return kQvCancel;
  double base[3] = {0, 0, 0};
  if (qvedGetPoint(nullptr, L"\nBase point: ", base) != kQvNormal) return kQvCancel;
  const TarvoAnswer at = TarvoCommandInput::point(L"\nInsertion point: ", nullptr, nullptr, true);
  if (at.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  QvDbObjectIdArray ids;
  for (const QvDbObjectId& id : selection.ids()) ids.append(id);
  QvDbObjectId block;
  if (makeAnonymousBlock(block, ids, QvGePoint3d(base[0], base[1], base[2])) != Vexa::eOk ||
      makeBlockReference(block, at.point, QvGeScale3d(1, 1, 1)).isNull()) {
    TarvoCommandInput::say(L"\nThe anonymous block could not be made.");
    return kQvError;
  }
  TarvoCommandInput::say(QvString::format(L"\nAnonymous block %ls of %d object(s).",
                                          QvDbSymbolTableRecord::nameOf(block).c_str(),
                                          ids.length()));
  return kQvNormal;
}
