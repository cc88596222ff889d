#include "host/commands/TarvoInsertCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedBlockEditor.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqAttributeEdit.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqInsertCommand.h"

namespace {

int insert(IVexaBuildInCommandContext& context, bool array) {
  InsertData data;
  data.isMInsert = array;
  return CreateInsertEnt(&context, data);
}

}  // namespace

int TarvoInsertCommand::run(IVexaBuildInCommandContext& context) {
  return insert(context, false);
}

int TarvoInsertCommand::runArray(IVexaBuildInCommandContext& context) {
  return insert(context, true);
}

int TarvoEditAttCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (selection.ask() != kQvNormal) return kQvCancel;
  for (const QvDbObjectId& id : selection.ids()) {
    bool isReference = false;
    {
      QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
      isReference = ref.openStatus() == Vexa::eOk;
    }
    if (!isReference) continue;
    return EditAttBasedOnBlkRefId(id) ? kQvNormal : kQvCancel;
  }
  TarvoCommandInput::say(L"\nNo block reference was selected.");
  return kQvNone;
}

int TarvoBlockEditCommand::run(IVexaBuildInCommandContext& context) {
  VexaBlockEditorState* state = VexaBlockEditorState::current();
  if (!state) return kQvError;
  QvString name;
  const TarvoAnswer answer =
      TarvoCommandInput::text(L"\nBlock to edit, or . to close the editor: ", true, name);
  if (answer.kind == TarvoAnswer::Kind::kCancel) return kQvCancel;
  name.trim();
  if (name.isEmpty() || name == L".") {
    state->setEditBlockName(QvString());
    TarvoCommandInput::say(L"\nThe block editor is closed.");
    return kQvNormal;
  }
  QvDbDatabase* db = context.database();
  const QvDbObjectId block =
      db ? getBlockIdByName(db->blockTableId(), name.c_str()) : QvDbObjectId();
  QvString own;
  if (block.isNull() || !getBlockVisibleName(block, own)) {
    TarvoCommandInput::say(L"\nThe drawing has no block \"" + name + L"\".");
    return kQvNone;
  }
  state->setEditBlockName(own);
  TarvoCommandInput::say(L"\nEditing block \"" + own + L"\".");
  return kQvNormal;
}
