// "?" at the insert command's name question: the blocks whose names match a pattern.
#include <memory>

#include "cmdutil/blocks/XqInsertResolution.h"
#include "sdk/base/qvutWcMatch.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqCmdResourceString.h"

int XqInsertResolution::listBlocks(InsertCommandState& state) {
  QvString pattern;
  const int rc = qvedGetString(1, qvcmdQvResourceString(10850).c_str(), pattern);
  if (rc != kQvNormal) return rc;
  pattern.trim();
  if (pattern.isEmpty()) pattern = L"*";
  QvDbDatabase* db = state.context->database();
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  if (table.openStatus() != Vexa::eOk) return kQvError;
  QvDbBlockTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return kQvError;
  const std::unique_ptr<QvDbBlockTableIterator> it(raw);
  qvedTextScr();  // a long listing reads better on the text screen
  qvedPrompt(qvcmdQvResourceString(10852).c_str());
  int printed = 0, external = 0, dependent = 0, unnamed = 0;
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getRecordId(id);
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk || block->isLayout()) continue;
    QvString name;
    if (block->isAnonymous()) {
      if (!QvDbDynBlockReference::isDynamicBlock(id) || !getBlockVisibleName(id, name) ||
          name == QvString(L"")) {
        ++unnamed;
        continue;
      }
    } else {
      block->getName(name);
    }
    if (qvutWcMatchEx(name.c_str(), pattern.c_str(), false) != kQvNormal) continue;
    qvutPrintf(L"\n%ls", name.c_str());
    ++printed;
    if (block->isFromExternalReference())
      ++external;
    else if (block->isDependent())
      ++dependent;
  }
  if (printed == 0) {
    qvedPrompt(L"\n");
    qvedPrompt(qvcmdQvResourceString(10853).c_str());
    return kQvNormal;
  }
  qvedPrompt(qvcmdQvResourceString(10854).c_str());
  qvedPrompt(qvcmdQvResourceString(10855).c_str());
  // The user blocks are those printed that are neither references nor dependent; the unnamed
  // ones were never printed, so they are not taken off.
  qvedPrompt(
      qvcmdQvResourceStringF(10856, printed - external - dependent, external, dependent, unnamed)
          .c_str());
  return kQvNormal;
}
