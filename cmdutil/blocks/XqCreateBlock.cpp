// CreateBlock: a block definition made, or remade, from selected objects.
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "cmdutil/blocks/XqBlockSettings.h"
#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqIdSet.h"
#include "sdk/app/VexaBlockNotifications.h"
#include "sdk/app/VexaDocContext.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/db/QvDbAnnotativeObjectPE.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSmartBlockGlobals.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/db/QvDbTagBlockReference.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/XqBlockDefinition.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

constexpr int kKeepSources = 2;

// The objects that become the definition's contents, in order, each once.
class SourceList {
 public:
  void reserve(size_t count) {
    ids_.reserve(count);
    index_.reserve(count);
  }
  bool contains(QvDbObjectId id) const { return index_.contains(id); }
  void append(QvDbObjectId id) {
    if (index_.insert(id)) ids_.push_back(id);
  }
  void remove(QvDbObjectId id) {
    if (index_.erase(id)) ids_.erase(std::find(ids_.begin(), ids_.end(), id));
  }
  const std::vector<QvDbObjectId>& ids() const { return ids_; }

 private:
  std::vector<QvDbObjectId> ids_;
  XqIdSet index_;
};

bool isAttributeDefinition(QvDbObjectId id, bool& opened) {
  QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead);
  opened = object.openStatus() == Vexa::eOk;
  return opened && QvDbAttributeDefinition::cast(object.object()) != nullptr;
}

// The active layout's draw order, or nothing when it has no sort-entities table.
QvDbObjectIdArray activeDrawOrder(QvDbDatabase* db) {
  QvDbObjectIdArray order;
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!services) return order;
  const QvDbObjectId spaceId = services->layoutManager()->getActiveLayoutBTRId(db);
  QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForRead);
  if (space.openStatus() != Vexa::eOk) return order;
  QvDbSortentsTable* table = nullptr;
  if (space->getSortentsTable(table, QvDb::kForRead) != Vexa::eOk || !table) return order;
  table->getFullDrawOrder(order);
  table->close();
  return order;
}

// Step one of the source list: the requested ids in draw order (attribute definitions left
// for later), or in request order for fewer than two ids or without a draw order.
void orderSources(QvDbDatabase* db, const QvArray<QvDbObjectId>& requested, SourceList& list) {
  list.reserve(static_cast<size_t>(requested.length()));
  const QvDbObjectIdArray order =
      requested.length() < 2 ? QvDbObjectIdArray() : activeDrawOrder(db);
  if (order.isEmpty()) {
    for (const QvDbObjectId& id : requested) list.append(id);
    return;
  }
  // The requested ids, each once in id order, and whether the draw order has taken each.
  std::vector<QvDbObjectId> left(requested.begin(), requested.end());
  std::sort(left.begin(), left.end());
  left.erase(std::unique(left.begin(), left.end(),
                         [](QvDbObjectId a, QvDbObjectId b) { return !(a < b) && !(b < a); }),
             left.end());
  std::vector<bool> taken(left.size(), false);
  auto take = [&list](QvDbObjectId id) {
    bool opened = false;
    if (!isAttributeDefinition(id, opened) && opened) list.append(id);
  };
  for (const QvDbObjectId& id : order) {
    const auto it = std::lower_bound(left.begin(), left.end(), id);
    if (it == left.end() || id < *it) continue;
    const auto at = static_cast<size_t>(it - left.begin());
    if (taken[at]) continue;
    taken[at] = true;
    take(id);
  }
  for (size_t i = 0; i < left.size(); ++i)
    if (!taken[i]) take(left[i]);
}

// What CreateBlock does with the sources once they are cloned.
struct SourceFate {
  bool keep = false;
  std::unordered_set<QvDbObjectId> temporary;  // copies of nested annotative references
};

// Replaces an annotative reference among the sources by copies of its contents, committed to
// the reference's space only to be cloned (they are erased again afterwards).
void expandAnnotativeReference(const QvDbBlockReference& ref, QvDbObjectId refId, SourceList& list,
                               SourceFate& fate) {
  list.remove(refId);
  QvDbObjectPointer<QvDbBlockTableRecord> block(ref.blockTableRecord(), QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return;
  const QvGeMatrix3d xform = ref.blockTransform();
  for (const QvDbObjectId& id : block->entityIds()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) continue;
    auto* copy = QvDbEntity::cast(entity->clone());
    if (!copy) continue;
    QvDbEntity* committed = copy;
    const QvDbObjectId copyId = XqDbUtil::CommitToDB(committed, ref.database(), ref.ownerId());
    if (copyId.isNull()) {
      delete copy;
      continue;
    }
    copy->transformBy(xform);
    copy->close();
    list.append(copyId);
    fate.temporary.insert(copyId);
  }
}

// Step two: annotative requests switch the sources' annotative property off and take nested
// annotative references apart; attribute definitions go last.
void prepareSources(const CreateBlockData& data, SourceList& list, SourceFate& fate,
                    std::vector<QvDbObjectId>& nestedReferences) {
  const QvDb::OpenMode mode = data.getAnnotative() ? QvDb::kForWrite : QvDb::kForRead;
  for (const QvDbObjectId& id : data.getObjectIdToBlock()) {
    QvDbObjectPointer<QvDbEntity> object(id, mode);
    if (object.openStatus() != Vexa::eOk) continue;
    if (data.getAnnotative()) {
      if (auto* pe = QvDbAnnotativeObjectPE::cast(object->queryX(QvDbAnnotativeObjectPE::desc()))) {
        const auto* ref = QvDbBlockReference::cast(object.object());
        if (ref && pe->annotative(ref)) {
          expandAnnotativeReference(*ref, id, list, fate);
          nestedReferences.push_back(id);
        } else {
          pe->setAnnotative(object.object(), false);
        }
      }
    }
    if (QvDbAttributeDefinition::cast(object.object()) && !list.contains(id)) list.append(id);
  }
}

// Whether layers are locked, each layer opened once. Sources come in runs on one layer, so the
// last answer is kept at hand.
class LayerLocks {
 public:
  bool isLocked(QvDbObjectId layerId) {
    if (asked_ && layerId == lastLayer_) return lastLocked_;
    const auto [it, added] = locked_.try_emplace(layerId, false);
    if (added) {
      QvDbObjectPointer<QvDbLayerTableRecord> layer(layerId, QvDb::kForRead);
      it->second = layer.openStatus() == Vexa::eOk && layer->isLocked();
    }
    asked_ = true;
    lastLayer_ = layerId;
    lastLocked_ = it->second;
    return lastLocked_;
  }

 private:
  std::unordered_map<QvDbObjectId, bool> locked_;
  bool asked_ = false;
  QvDbObjectId lastLayer_;
  bool lastLocked_ = false;
};

// The last step for the sources: each is erased and listed unless kept or on a locked layer.
class Retirement {
 public:
  explicit Retirement(const SourceFate& fate)
      : fate_(fate), data_(GetVexaAppCtxActiveDocData()), doc_(GetVexaAppCtxActiveDocContext()) {}
  // Makes room for `count` more sources, retired one by one.
  void expect(int count) {
    if (fate_.keep) return;
    erased_.setPhysicalLength(erased_.length() + count);
    if (data_) data_->removedObjects.setPhysicalLength(data_->removedObjects.length() + count);
  }
  void retire(QvDbEntity& source, QvDbObjectId id) {
    if (fate_.keep || locks_.isLocked(source.layerId())) return;
    if (source.erase() != Vexa::eOk) return;
    erased_.append(id);
    if (data_) data_->removedObjects.append(id);
    if (doc_ && id.database() == doc_->database()) doc_->appendOopsEntity(id);
  }
  const QvDbObjectIdArray& erased() const { return erased_; }

 private:
  const SourceFate& fate_;
  VexaDocData* data_;
  VexaDocContext* doc_;
  LayerLocks locks_;
  QvDbObjectIdArray erased_;
};

void eraseTemporaryCopies(const SourceFate& fate) {
  for (const QvDbObjectId& id : fate.temporary) {
    QvDbObjectPointer<QvDbEntity> copy(id, QvDb::kForWrite);
    if (copy.openStatus() == Vexa::eOk) copy->erase();
  }
}

// The references of a redefined dynamic or tag block go back to the definition, and its
// evaluation graph goes: the references and their representations are found first, while the
// graph still tells them.
void resetSmartReferences(QvDbObjectId blockId) {
  const bool dynamic = QvDbDynBlockReference::isDynamicBlock(blockId);
  const bool tag = QvDbTagBlockReference::isDynamicBlock(blockId);
  if (!dynamic && !tag) return;
  const QvDbSmartBlockKind kind = dynamic ? QvDbSmartBlockKind::kDynamic : QvDbSmartBlockKind::kTag;
  QvDbObjectIdArray refs;
  QvDbSmartBlockGlobals::getBlockAllReferences(blockId, refs, kind);
  for (const QvDbObjectId& ref : refs) {
    if (dynamic) {
      QvDbDynBlockReference wrapper(ref);
      if (!wrapper.anonymousBlockTableRecord().isNull()) wrapper.resetBlock();
    } else {
      QvDbTagBlockReference wrapper(ref);
      if (!wrapper.anonymousBlockTableRecord().isNull()) wrapper.resetBlock();
    }
  }
  if (dynamic) QvDbEvalGraph::removeGraph(blockId);
  if (tag) QvDbTagEvalGraph::removeGraph(blockId);
}

// Opens or makes the definition (the block table open for write). Null on failure.
QvDbObjectId openDefinition(QvDbDatabase* db, const QvString& name, bool& redefined) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForWrite);
  if (table.openStatus() != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId id;
  redefined = table->getAt(name.c_str(), id) == Vexa::eOk;
  if (redefined) {
    QvDbObjectPointer<QvDbBlockTableRecord> record(id, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk || !XqBlockSettings::isRedefinable(*record.object()))
      return QvDbObjectId();
    for (const QvDbObjectId& old : record->entityIds()) {
      QvDbObjectPointer<QvDbEntity> entity(old, QvDb::kForWrite);
      if (entity.openStatus() != Vexa::eOk || entity->erase() != Vexa::eOk) return QvDbObjectId();
    }
    return id;
  }
  auto* record = new QvDbBlockTableRecord();
  if (record->setName(name.c_str()) != Vexa::eOk || table->add(id, record) != Vexa::eOk) {
    delete record;
    return QvDbObjectId();
  }
  record->close();
  return id;
}

}  // namespace

QvDbObjectId CreateBlock(IVexaBuildInCommandContext* context, const CreateBlockData& data) {
  if (!context) return QvDbObjectId();
  const XqPickfirstSuspension suspension;
  QvDbDatabase* db = context->database();
  if (!db) return QvDbObjectId();

  QvString name;
  data.getBlockName(name);
  const QvArray<QvDbObjectId>& requested = data.getObjectIdToBlock();
  // A block may not contain itself.
  if (!name.isEmpty() && ContainBlockNameInObjArray(requested, name)) return QvDbObjectId();

  QvDbTransactionScope transaction(db);
  bool redefined = false;
  const QvDbObjectId blockId = openDefinition(db, name, redefined);
  if (blockId.isNull()) return QvDbObjectId();
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(blockId, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk ||
        XqBlockSettings::apply(data, *record.object()) != Vexa::eOk)
      return QvDbObjectId();
  }
  const QvGeMatrix3d placement = XqBlockSettings::placement(*context, data);

  SourceList list;
  SourceFate fate;
  fate.keep = (data.getCompletionRequest() & kKeepSources) != 0;
  std::vector<QvDbObjectId> nested;
  orderSources(db, requested, list);
  prepareSources(data, list, fate, nested);

  QvDbIdMapping mapping;
  if (!list.ids().empty()) {
    QvDbObjectIdArray ids;
    ids.setGrowLength(std::max(8, static_cast<int>(list.ids().size())));
    for (const QvDbObjectId& id : list.ids()) ids.append(id);
    if (db->deepCloneObjects(ids, blockId, mapping) != Vexa::eOk) return QvDbObjectId();
  }

  VexaDocContext* doc = GetVexaAppCtxActiveDocContext();
  if (doc) doc->clearOopsEnts();
  VexaDocData* docData = GetVexaAppCtxActiveDocData();
  if (docData) docData->removedObjects.removeAll();

  // An annotative block holds its contents at the current annotation scale.
  bool annoScaled = false;
  QvGeMatrix3d annoScaling;
  if (data.getAnnotative()) {
    const double scale = XqBlockVars::getReal(L"CANNOSCALEVALUE").value_or(0.0);
    annoScaled = std::abs(scale) > 1e-10;
    if (annoScaled) annoScaling.setToScaling(scale);
  }
  // A base point at the origin of the world leaves the clones where they are.
  const bool moved = annoScaled || !placement.isEqualTo(QvGeMatrix3d::kIdentity, QvGeTol(0.0, 0.0));
  Retirement retirement(fate);
  retirement.expect(static_cast<int>(list.ids().size() + nested.size()));
  for (const QvDbObjectId& sourceId : list.ids()) {
    QvDbIdPair pair(sourceId, QvDbObjectId(), false);
    if (!mapping.compute(pair) || !pair.isCloned() || sourceId.isErased()) continue;
    QvDbObjectPointer<QvDbEntity> source(sourceId, QvDb::kForWrite);
    if (source.openStatus() != Vexa::eOk) continue;
    if (moved) {
      QvDbObjectPointer<QvDbEntity> clone(pair.value(), QvDb::kForWrite);
      if (clone.openStatus() != Vexa::eOk) continue;
      clone->transformBy(placement);
      if (annoScaled) clone->transformBy(annoScaling);
    }
    if (!fate.temporary.count(sourceId)) retirement.retire(*source.object(), sourceId);
  }
  // Nested annotative references follow the rules of the other sources.
  for (const QvDbObjectId& refId : nested) {
    QvDbObjectPointer<QvDbEntity> ref(refId, QvDb::kForWrite);
    if (ref.openStatus() == Vexa::eOk) retirement.retire(*ref.object(), refId);
  }
  eraseTemporaryCopies(fate);
  if (VexaPickfirstProcessor* proc = vexaGetPickfirstProc(); proc && !retirement.erased().isEmpty())
    proc->notifyModified(retirement.erased());

  XqBlockVars::setString(L"INSNAME", name);
  if (redefined) resetSmartReferences(blockId);
  if (transaction.commit() != Vexa::eOk) return QvDbObjectId();

  if (redefined) {
    QvDbObjectIdArray ids;
    ids.append(blockId);
    ModifiedBlockNotifyUndoSetting(ids, nullptr);
    vexaUpdateBlockDefinition(blockId);
  }
  return blockId;
}
