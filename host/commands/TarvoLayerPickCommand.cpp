#include "host/commands/TarvoLayerPickCommand.h"

#include <memory>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDialogScript.h"
#include "host/commands/TarvoLayerPickDialog.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/win/VexaWindowRegistry.h"

namespace {

std::vector<QvString> layerNames(QvDbDatabase* db) {
  std::vector<QvString> names;
  QvDbObjectPointer<QvDbLayerTable> table(db->layerTableId(), QvDb::kForRead);
  if (!table) return names;
  QvDbLayerTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return names;
  const std::unique_ptr<QvDbLayerTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) != Vexa::eOk) continue;
    QvDbObjectPointer<QvDbLayerTableRecord> layer(id, QvDb::kForRead);
    if (layer) names.push_back(layer->name());
  }
  return names;
}

}  // namespace

int TarvoLayerPickCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!db || !windows) return kQvError;
  TarvoLayerPickDialog dialog;
  if (!dialog.Open(layerNames(db))) return kQvError;
  TarvoDialogScript::answer(dialog.m_hWnd, "layerpick",
                            [&] { return dialog.state() == TarvoLayerPickDialog::State::kOpen; });
  if (dialog.state() != TarvoLayerPickDialog::State::kChosen) {
    TarvoCommandInput::say(L"\n*Cancel*");
    return kQvCancel;
  }
  TarvoCommandInput::say(L"\nLayer: " + dialog.chosen());
  return kQvNormal;
}
