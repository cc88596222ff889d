#include "sdk/db/QvDbEvalGraph.h"

#include "sdk/db/QvDbGraphStore.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbEvalGraph)

QvDbObjectIdArray QvDbEvalGraph::nodes() const {
  assertReadEnabled();
  return nodes_;
}

Vexa::ErrorStatus QvDbEvalGraph::addNode(QvDbObjectId node) {
  if (node.isNull()) return Vexa::eNullObjectId;
  if (isResident() && node.database() != database()) return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!nodes_.contains(node)) nodes_.append(node);
  return Vexa::eOk;
}

bool QvDbEvalGraph::hasGraph(const QvDbObject* owner, const wchar_t* key) {
  return !QvDbGraphStore<QvDbEvalGraph>::find(owner, key).isNull();
}

Vexa::ErrorStatus QvDbEvalGraph::getGraph(const QvDbObject* owner, QvDbEvalGraph*& graph,
                                          QvDb::OpenMode mode, const wchar_t* key) {
  return QvDbGraphStore<QvDbEvalGraph>::get(owner, graph, mode, key);
}

Vexa::ErrorStatus QvDbEvalGraph::createGraph(QvDbObject* owner, QvDbObjectId& graphId,
                                             const wchar_t* key) {
  return QvDbGraphStore<QvDbEvalGraph>::create(owner, graphId, key);
}

Vexa::ErrorStatus QvDbEvalGraph::removeGraph(const QvDbObject* owner, const wchar_t* key) {
  return QvDbGraphStore<QvDbEvalGraph>::remove(owner, key);
}

Vexa::ErrorStatus QvDbEvalGraph::removeGraph(QvDbObjectId ownerId, const wchar_t* key) {
  return QvDbGraphStore<QvDbEvalGraph>::remove(ownerId, key);
}

void QvDbEvalGraph::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  for (QvDbObjectId& id : nodes_) visitor.visit(id, QvDbIdVisitor::kSoftPointer);
}
