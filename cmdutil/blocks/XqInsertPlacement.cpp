// The placement sequence of the interactive insert and the creation that ends it.
#include "cmdutil/blocks/XqInsertPlacement.h"

#include <cmath>
#include <memory>

#include "cmdutil/blocks/XqAttributeEntry.h"
#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/app/VexaAttributeSync.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqBlockInsert.h"
#include "xqcmdutil/XqBlockLookup.h"

namespace XqInsertPlacement {

namespace {

constexpr double kZero = 1e-10;

// Whether the block has an attribute definition that is neither constant nor preset.
bool hasPromptingAttributes(QvDbDatabase* db, const QvString& name) {
  if (!db) return false;
  const QvDbObjectId blockId = getBlockIdByName(db->blockTableId(), name.c_str());
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk || !block->hasAttributeDefinitions()) return false;
  QvDbBlockTableRecordIterator* raw = nullptr;
  if (block->newIterator(raw) != Vexa::eOk) return false;
  const std::unique_ptr<QvDbBlockTableRecordIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getEntityId(id);
    QvDbObjectPointer<QvDbAttributeDefinition> def(id, QvDb::kForRead);
    if (def.openStatus() == Vexa::eOk && !def->isConstant() && !def->isPreset()) return true;
  }
  return false;
}

// Hidden from creation until attribute entry ends, then shown again on every path.
class HiddenWhileEntering {
 public:
  explicit HiddenWhileEntering(QvDbObjectId id) : id_(id) {}
  ~HiddenWhileEntering() {
    if (!hidden_) return;
    QvDbObjectPointer<QvDbEntity> entity(id_, QvDb::kForWrite);
    if (entity.openStatus() == Vexa::eOk) entity->setVisibility(QvDb::kVisible);
  }
  void hidden() { hidden_ = true; }
  void keepHidden() { hidden_ = false; }

 private:
  QvDbObjectId id_;
  bool hidden_ = false;
};

int create(InsertCommandState& state) {
  InsertData& data = *state.data;
  CreateInsertData request;
  const QvString name = data.blockName;
  const QvString path = data.filePath;
  QvGeScale3d scale = data.scale;
  if (std::fabs(scale.sx) <= kZero) scale.sx = 1.0;
  if (std::fabs(scale.sy) <= kZero) scale.sy = 1.0;
  if (std::fabs(scale.sz) <= kZero) scale.sz = 1.0;
  request.setInsertName(name);
  request.setFilePathToBlock(path);
  const QvGePoint3d at = data.insertionPoint;
  const double rotation = data.rotation;
  const int columns = data.columns, rows = data.rows;
  const double columnSpacing = data.columnSpacing, rowSpacing = data.rowSpacing;
  const bool explode = data.explode;
  request.setInsertPoint(at);
  request.setScale3d(scale);
  request.setRotationAngle(rotation);
  request.setCollumnNumber(columns);
  request.setRowNumber(rows);
  request.setCollumnDistance(columnSpacing);
  request.setRowDistance(rowSpacing);
  request.setExplodeFlag(explode);
  QvDbObjectId id;
  const int rc = CreateInsert(state.context, id, request);
  data.resultId = id;
  return rc;
}

// The new reference hidden, the host's check of it, attribute entry; a reference the host
// does not keep or whose entry fails is erased.
int finishReference(InsertCommandState& state) {
  InsertData& data = *state.data;
  const QvDbObjectId id = data.resultId;
  HiddenWhileEntering shown(id);
  {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForWrite);
    // An exploded insert leaves no reference to finish.
    if (ref.openStatus() != Vexa::eOk) return kQvNormal;
    ref->setVisibility(QvDb::kInvisible);
    shown.hidden();
    ref->downgradeOpen();
    if (UpdataBlkAttribute(ref.object()) != 0) {
      if (ref->upgradeOpen() == Vexa::eOk && ref->isWriteEnabled()) {
        ref->erase();
        shown.keepHidden();
      }
      return kQvNormal;
    }
  }
  const QvString name = data.blockName;
  if (XqBlockVars::getShort(L"ATTREQ").value_or(1) == 1 && !data.explode &&
      hasPromptingAttributes(state.context ? state.context->database() : nullptr, name)) {
    const int rc = XqAttributeEntry::run(state);
    if (rc != kQvNormal) {
      QvDbObjectPointer<QvDbEntity> ref(id, QvDb::kForWrite);
      if (ref.openStatus() == Vexa::eOk) ref->erase();
      shown.keepHidden();
      data.resultId = QvDbObjectId();
      return rc;
    }
  }
  return kQvNormal;
}

}  // namespace

int run(InsertCommandState& state) {
  if (!state.data) return kQvError;
  InsertData& data = *state.data;
  int rc = kQvNormal;
  if (data.askInsertionPoint && (rc = askInsertionPoint(state)) != kQvNormal) return rc;
  if (data.explode) {
    data.uniformScale = true;
    state.uniformScale = true;
  }
  if (data.askScale) {
    rc = state.uniformScale ? askUniformScale(state) : askFreeScale(state);
    if (rc != kQvNormal) return rc;
  }
  if (data.askRotation && (rc = askRotation(state)) != kQvNormal) return rc;
  if (data.isMInsert && !data.nameGiven && (rc = askArray(state)) != kQvNormal) return rc;
  rc = create(state);
  const QvDbObjectId created = data.resultId;
  if (rc != kQvNormal || created.isNull()) return rc;
  return finishReference(state);
}

}  // namespace XqInsertPlacement
