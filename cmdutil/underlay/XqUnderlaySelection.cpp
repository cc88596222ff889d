#include "xqcmdutil/XqUnderlaySelection.h"

#include "sdk/app/VexaGraphics.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/ed/VexaSelectSet.h"
#include "sdk/ed/qvedSelection.h"

namespace {

// Buffers whose contents change, drawn again at once.
constexpr int kRedrawBuffers = 2;

// The definition of a DGN underlay; null when `id` is none or it does not open.
QvDbObjectId dgnDefinitionOf(const QvDbObjectId& id) {
  QvDbObjectPointer<QvDbDgnReference> ref(id, QvDb::kForRead);
  return ref ? ref->definitionId() : QvDbObjectId();
}

}  // namespace

void unhighAndRemoveGripSelectionSet(bool flag) {
  VexaPickfirstProcessor* pickfirst = vexaGetPickfirstProc();
  if (!pickfirst || pickfirst->getPickfirst().isEmpty()) return;
  VexaGraphics* graphics = GetActiveGraphics();
  if (!graphics) return;
  pickfirst->doAction(flag ? VexaPickfirstProcessor::kUnhighlightAndClear
                           : VexaPickfirstProcessor::kUnhighlight);
  graphics->invalidate(kRedrawBuffers, true, true);
}

void unhighlightEntity(const QvDbObjectId& id) {
  VexaGraphics* graphics = GetActiveGraphics();
  if (!graphics) return;
  graphics->highlightEntityInAllVps(id, false, kNullSubent);
  graphics->invalidate(kRedrawBuffers, true, true);
}

void getFirstUnderlayIdFromSS(const qv_name ss, QvDbObjectId& id) {
  int32_t length = 0;
  if (qvedSSLength(ss, &length) != kQvNormal || length < 1) return;
  qv_name entity = {0, 0};
  if (qvedSSName(ss, 0, entity) != kQvNormal) return;
  qvdbGetObjectId(id, entity);
}

void getDgnUnderlayPathFromSS(VexaSelectSet& ss, QvString& path) {
  const QvDbObjectId definitionId = dgnDefinitionOf(ss.firstId());
  if (definitionId.isNull()) return;
  QvDbObjectPointer<QvDbDgnDefinition> def(definitionId, QvDb::kForRead);
  if (!def) return;
  QvString found;
  def->getActiveFileName(found);
  path = found;
}

int getSelectUnderlayDefinitionId(QvDbObjectId& definitionId) {
  VexaPickfirstProcessor* pickfirst = vexaGetPickfirstProc();
  if (!pickfirst) return 0;
  const QvDbObjectIdArray& ids = pickfirst->getPickfirst();
  if (ids.length() == 1) {
    QvDbObjectPointer<QvDbUnderlayReference> ref(ids[0], QvDb::kForRead);
    if (ref) definitionId = ref->definitionId();
  }
  return ids.length();
}

bool isOneDgnFileInSS(VexaSelectSet& ss, QvString& path) {
  QvDbObjectId shared;
  for (const QvDbObjectId id : ss) {
    const QvDbObjectId definitionId = dgnDefinitionOf(id);
    if (definitionId.isNull()) continue;
    if (!shared.isNull() && shared != definitionId) return false;
    shared = definitionId;
  }
  if (shared.isNull()) return false;
  QvDbObjectPointer<QvDbDgnDefinition> def(shared, QvDb::kForRead);
  if (!def) return false;
  QvString found;
  def->getActiveFileName(found);
  path = found;
  return true;
}
