#include "sdk/db/QvDbTagEvalGraph.h"

#include "sdk/db/QvDbGraphStore.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbTagEvalGraph)

QvArray<QvString> QvDbTagEvalGraph::tags() const {
  assertReadEnabled();
  return tags_;
}

Vexa::ErrorStatus QvDbTagEvalGraph::addTag(const wchar_t* tag) {
  if (!tag || !*tag) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  for (const QvString& t : tags_)
    if (t.compareNoCase(tag) == 0) return Vexa::eOk;
  tags_.append(QvString(tag));
  return Vexa::eOk;
}

bool QvDbTagEvalGraph::hasGraph(const QvDbObject* owner, const wchar_t* key) {
  return !QvDbGraphStore<QvDbTagEvalGraph>::find(owner, key).isNull();
}

Vexa::ErrorStatus QvDbTagEvalGraph::getGraph(const QvDbObject* owner, QvDbTagEvalGraph*& graph,
                                             QvDb::OpenMode mode, const wchar_t* key) {
  return QvDbGraphStore<QvDbTagEvalGraph>::get(owner, graph, mode, key);
}

Vexa::ErrorStatus QvDbTagEvalGraph::createGraph(QvDbObject* owner, QvDbObjectId& graphId,
                                                const wchar_t* key) {
  return QvDbGraphStore<QvDbTagEvalGraph>::create(owner, graphId, key);
}

Vexa::ErrorStatus QvDbTagEvalGraph::removeGraph(const QvDbObject* owner, const wchar_t* key) {
  return QvDbGraphStore<QvDbTagEvalGraph>::remove(owner, key);
}

Vexa::ErrorStatus QvDbTagEvalGraph::removeGraph(QvDbObjectId ownerId, const wchar_t* key) {
  return QvDbGraphStore<QvDbTagEvalGraph>::remove(ownerId, key);
}
