#include "sdk/db/QvDbSmartBlock.h"

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/db/QvDbTransactionScope.h"

namespace {

QvDbObject* objectOf(QvDbObjectId id) {
  const QvDbObjectStub* stub = id.stub();
  return stub && !stub->removed ? stub->object : nullptr;
}

}  // namespace

const wchar_t* QvDbSmartBlock::graphKey(QvDbSmartBlockKind kind) {
  return kind == QvDbSmartBlockKind::kDynamic ? QvDbEvalGraph::kKey : QvDbTagEvalGraph::kKey;
}

bool QvDbSmartBlock::hasGraph(QvDbObjectId blockId, QvDbSmartBlockKind kind) {
  const auto* block = QvDbBlockTableRecord::cast(objectOf(blockId));
  if (!block || blockId.isErased()) return false;
  const auto* extDict = QvDbDictionary::cast(objectOf(block->extDictId_));
  if (!extDict || block->extDictId_.isErased()) return false;
  const QvDbObjectId graph = extDict->peekAt(graphKey(kind));
  const QvRxClass* cls =
      kind == QvDbSmartBlockKind::kDynamic ? QvDbEvalGraph::desc() : QvDbTagEvalGraph::desc();
  return !graph.isNull() && graph.objectClass() == cls;
}

QvDbObjectId QvDbSmartBlock::blockOf(QvDbObjectId id) {
  QvDbObject* object = objectOf(id);
  if (!object) return QvDbObjectId();
  if (QvDbBlockTableRecord::cast(object)) return id;
  // A reference: the block among its hard pointers.
  struct Block : QvDbIdVisitor {
    QvDbObjectId found;
    void visit(QvDbObjectId& ref, Kind kind) override {
      if (kind == kHardPointer && ref.objectClass() == QvDbBlockTableRecord::desc()) found = ref;
    }
  } block;
  object->visitIds(block);
  return block.found;
}

QvDbObjectId QvDbSmartBlock::representedBy(QvDbObjectId blockId) {
  const QvDbObject* block = QvDbBlockTableRecord::cast(objectOf(blockId));
  if (!block) return QvDbObjectId();
  const resbuf* tag = block->xdata_.find(kRepresentationApp);
  for (const resbuf* rb = tag ? tag->next : nullptr; rb; rb = rb->next) {
    if (rb->type != kGcXDataHandle || !rb->value.string) continue;
    QvDbHandle handle;
    QvDbObjectId id;
    if (!QvDbHandle::fromAscii(rb->value.string, handle)) return QvDbObjectId();
    if (blockId.database()->getQvDbObjectId(id, false, handle) != Vexa::eOk) return QvDbObjectId();
    return id.objectClass() == QvDbBlockTableRecord::desc() ? id : QvDbObjectId();
  }
  return QvDbObjectId();
}

QvDbObjectId QvDbSmartBlock::definitionOf(QvDbObjectId blockId, QvDbSmartBlockKind kind) {
  if (hasGraph(blockId, kind)) return blockId;
  const QvDbObjectId definition = representedBy(blockId);
  return hasGraph(definition, kind) ? definition : QvDbObjectId();
}

QvString QvDbSmartBlock::trueName(QvDbObjectId blockId) {
  const QvDbObject* block = QvDbBlockTableRecord::cast(objectOf(blockId));
  if (!block) return QvString();
  const resbuf* section = block->xdata_.find(kTrueNameApp);
  if (section && section->next && section->next->type == kGcXDataString &&
      section->next->value.string)
    return QvString(section->next->value.string);
  return QvDbSymbolTableRecord::nameOf(blockId);
}

QvDbObjectIdArray QvDbSmartBlock::representationsOf(QvDbObjectId definitionId) {
  QvDbObjectIdArray reps;
  QvDbDatabase* db = definitionId.database();
  const auto* table = db ? QvDbBlockTable::cast(objectOf(db->blockTableId())) : nullptr;
  if (!table) return reps;
  for (const QvDbObjectId& id : table->records_)
    if (!id.isErased() && id != definitionId && representedBy(id) == definitionId) reps.append(id);
  return reps;
}

Vexa::ErrorStatus QvDbSmartBlock::makeRepresentation(QvDbObjectId definitionId,
                                                     QvDbObjectId& repId) {
  repId.setNull();
  if (!hasGraph(definitionId, QvDbSmartBlockKind::kDynamic) &&
      !hasGraph(definitionId, QvDbSmartBlockKind::kTag))
    return Vexa::eNotApplicable;
  QvDbDatabase* db = definitionId.database();
  QvDbTransactionScope scope(db);
  if (const Vexa::ErrorStatus es = db->registerApplication(kTrueNameApp); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = db->registerApplication(kRepresentationApp); es != Vexa::eOk)
    return es;
  QvDbObjectIdArray contents;
  QvDbObjectId made;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> definition(definitionId, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk) return definition.openStatus();
    contents = definition->entityIds();
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForWrite);
    if (table.openStatus() != Vexa::eOk) return table.openStatus();
    QvDbObjectPointer<QvDbBlockTableRecord> rep(new QvDbBlockTableRecord());
    rep->setName(L"*U");
    rep->setOrigin(definition->origin());
    rep->setBlockInsertUnits(definition->blockInsertUnits());
    rep->setBlockScaling(definition->blockScaling());
    rep->setExplodable(definition->explodable());
    if (const Vexa::ErrorStatus es = table->add(made, rep.object()); es != Vexa::eOk) return es;
    QvRbListPtr xdata(qvutBuildList(kGcXDataAppName, kTrueNameApp, kGcXDataString,
                                    trueName(definitionId).c_str(), kGcXDataAppName,
                                    kRepresentationApp, kGcXDataShort, 1, kGcXDataHandle,
                                    definitionId.handle().ascii().c_str(), 0));
    if (const Vexa::ErrorStatus es = rep->setXData(xdata.get()); es != Vexa::eOk) return es;
  }
  if (!contents.isEmpty()) {
    QvDbIdMapping map;
    if (const Vexa::ErrorStatus es = db->deepCloneObjects(contents, made, map); es != Vexa::eOk)
      return es;
  }
  repId = made;
  return scope.commit();
}
