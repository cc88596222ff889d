#include "host/commands/TarvoBlockPickCommand.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "host/commands/TarvoBlockPickDialog.h"
#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDialogScript.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/win/VexaWindowRegistry.h"

namespace {

// The blocks a user may pick, by name.
std::map<QvString, QvDbObjectId> pickableBlocks(QvDbDatabase* db) {
  std::map<QvString, QvDbObjectId> blocks;
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  if (!table) return blocks;
  QvDbBlockTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return blocks;
  const std::unique_ptr<QvDbBlockTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) != Vexa::eOk) continue;
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    if (!block || block->isLayout() || block->isAnonymous() || block->isFromExternalReference())
      continue;
    blocks[block->name()] = id;
  }
  return blocks;
}

// The last inserted block, when the drawing still has it.
std::vector<QvString> recentBlocks(const std::map<QvString, QvDbObjectId>& blocks) {
  resbuf value{};
  if (qvedGetVar(L"INSNAME", &value) != kQvNormal) return {};
  if (value.type != kRbString) return {};
  const QvString name(value.value.string ? value.value.string : L"");
  std::free(value.value.string);  // the reader's
  for (const auto& [block, id] : blocks)
    if (block.compareNoCase(name) == 0) return {block};
  return {};
}

}  // namespace

int TarvoBlockPickCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!db || !windows) return kQvError;
  const std::map<QvString, QvDbObjectId> blocks = pickableBlocks(db);
  if (blocks.empty()) {
    TarvoCommandInput::say(L"\nThe drawing has no blocks to pick.");
    return kQvNone;
  }
  TarvoBlockPickDialog dialog(db);
  if (!dialog.Open(blocks, recentBlocks(blocks))) return kQvError;
  TarvoDialogScript::answer(
      dialog.m_hWnd, "blockpick",
      [&] { return dialog.state() == TarvoBlockPickDialog::State::kOpen; },
      [&] { dialog.RefreshPreview(); });
  if (dialog.state() != TarvoBlockPickDialog::State::kChosen) {
    TarvoCommandInput::say(L"\n*Cancel*");
    return kQvCancel;
  }
  TarvoCommandInput::say(L"\nBlock: " + dialog.chosen());
  return kQvNormal;
}
