// The insert command: entry, the definition check and the redefinition from a file.
#include "xqcmdutil/XqInsertCommand.h"

#include <memory>

#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqInsertPlacement.h"
#include "cmdutil/blocks/XqInsertResolution.h"
#include "sdk/app/VexaCmdGlobals.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedCommandState.h"
#include "sdk/ed/qvedFindFile.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqResourceSwitchGuard.h"

namespace XqInsertResolution {

namespace {

// The redefinition: the file read again into the existing definition (its contents replaced
// at once, or nothing changed), the references brought up to date.
int redefine(InsertCommandState& state) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context->database();
  const QvString name = data.blockName;
  const QvString wanted = data.filePath;
  QvString path;
  if (qvedFindFile(wanted.c_str(), path) != kQvNormal) {
    reportNotFound(wanted);
    return kQvCancel;
  }
  const std::unique_ptr<QvDbDatabase> side = XqInsertFiles::read(path, false);
  if (!side) return kQvError;
  if (XqBlockVars::getShort(L"EXPERT").value_or(0) < 2)
    qvedPrompt(qvcmdQvResourceStringF(10942, name.c_str()).c_str());
  if (XqInsertFiles::holdsBlock(*side, name)) {
    qvedPrompt(qvcmdQvResourceStringF(10829, name.c_str()).c_str());
    return kQvCancel;
  }
  QvDbObjectId blockId;
  bool annotative = false;
  try {
    if (XqInsertFiles::insert(db, name, *side, blockId, annotative) != Vexa::eOk) return kQvError;
  } catch (const Vexa::HostError&) {
    return kQvError;
  }
  qvdbRefreshAllRepresentation(blockId);
  data.definitionUpdated = true;
  qvdbUpdateBlockDefinition(blockId, false);
  XqBlockVars::setString(L"INSNAME", name);
  data.filePath = path;
  if (annotative) state.uniformScale = true;
  return kQvNormal;
}

}  // namespace

int checkDefinition(InsertCommandState& state) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context->database();
  const QvString name = data.blockName;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(findBlock(db, name), QvDb::kForRead);
    if (block.openStatus() == Vexa::eOk && block->blockScaling() == QvDb::kUniform) {
      data.uniformScale = true;
      state.uniformScale = true;
    }
  }
  if (state.dialogAnswered) return state.dialogRedefine ? redefine(state) : kQvNormal;
  const int expert = XqBlockVars::getShort(L"EXPERT").value_or(0);
  if (!state.redefinePending) return kQvNormal;
  if (!data.nameGiven && expert < 2 && isInteractive(state)) {
    const QvString prompt = qvcmdQvResourceStringF(10826, name.c_str());
    const QvString keywords = qvcmdQvResourceString(10827);
    for (;;) {
      qvedInitGet(0, keywords.c_str());
      QvString answer;
      const int rc = qvedGetKword(prompt.c_str(), answer);
      if (rc == kQvNone || (rc == kQvNormal && answer == L"No")) return kQvNormal;
      if (rc == kQvNormal && answer == L"Yes") break;
      if (rc != kQvNormal) return rc;
    }
  }
  return redefine(state);
}

bool isInteractive(const InsertCommandState& state) {
  return !(state.context && state.context->isNonInteractive()) && !qvedCurFDERunning() &&
         !(qvedGetInputState() & (kQvInputFromScript | kQvInputFromMacro));
}

void reportNotFound(const QvString& path) {
  qvedPrompt(
      qvcmdQvResourceStringF(10824, qvcmdQvResourceString(10825).c_str(), path.c_str()).c_str());
  if (VexaCmdGlobals* globals = vexaGetCmdGlobals()) globals->fileSearchFailed = 1;
}

}  // namespace XqInsertResolution

int CreateInsertEnt(IVexaBuildInCommandContext* context, InsertData& data) {
  if (!context || !context->database()) return kQvError;
  const XqResourceSwitchGuard resources;
  InsertCommandState state(context, &data);
  if (!data.nameGiven) state.defaultName = XqBlockVars::getString(L"INSNAME").value_or(L"");
  int rc =
      data.nameGiven ? XqInsertResolution::resolveGiven(state) : XqInsertResolution::askName(state);
  if (rc != kQvNormal) return rc;
  const QvString name = data.blockName;
  // An empty answer without a default ends the command quietly.
  if (name.isEmpty()) return kQvNormal;
  rc = XqInsertResolution::checkDefinition(state);
  if (rc != kQvNormal) return rc;
  return XqInsertPlacement::run(state);
}
