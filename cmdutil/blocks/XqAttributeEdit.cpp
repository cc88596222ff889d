#include "xqcmdutil/XqAttributeEdit.h"

#include "cmdutil/blocks/XqAttributeEntry.h"
#include "sdk/app/VexaDocContext.h"
#include "sdk/base/QvClassicCodes.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqResourceSwitchGuard.h"

bool EditAttBasedOnBlkRefId(const QvDbObjectId& referenceId) {
  if (referenceId.isNull()) return false;
  VexaDocContext* document = GetVexaAppCtxActiveDocContext();
  if (!document) return false;
  IVexaBuildInCommandContext* context = document->commandContext();
  if (!context) context = document->dummyCommandContext();
  if (!context) return false;
  const XqResourceSwitchGuard resources;
  InsertData data;
  data.resultId = referenceId;
  InsertCommandState state(context, &data);
  return XqAttributeEntry::run(state) == kQvNormal;
}
