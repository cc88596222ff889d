#pragma once

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectPointer.h"

// Keeps graph objects of class Graph in their owners' extension dictionaries under a key: the
// shared work of QvDbEvalGraph and QvDbTagEvalGraph.
template <class Graph>
class QvDbGraphStore {
 public:
  static QvDbObjectId find(const QvDbObject* owner, const wchar_t* key) {
    if (!owner || !key) return QvDbObjectId();
    const QvDbObjectId extDict = owner->extensionDictionary();
    if (extDict.isNull() || extDict.isErased()) return QvDbObjectId();
    QvDbObjectPointer<QvDbDictionary> dict(extDict, QvDb::kForRead);
    QvDbObjectId id;
    if (!dict || dict->getAt(key, id) != Vexa::eOk) return QvDbObjectId();
    return id.objectClass() == Graph::desc() ? id : QvDbObjectId();
  }

  static Vexa::ErrorStatus get(const QvDbObject* owner, Graph*& graph, QvDb::OpenMode mode,
                               const wchar_t* key) {
    graph = nullptr;
    const QvDbObjectId id = find(owner, key);
    if (id.isNull()) return Vexa::eKeyNotFound;
    return qvdbOpenObject(graph, id, mode);
  }

  static Vexa::ErrorStatus create(QvDbObject* owner, QvDbObjectId& graphId, const wchar_t* key) {
    graphId.setNull();
    if (!owner || !key || !*key) return Vexa::eInvalidInput;
    if (!owner->isResident()) return Vexa::eNotInDatabase;
    if (!find(owner, key).isNull()) return Vexa::eDuplicateKey;
    QvDbObjectId extDict = owner->extensionDictionary();
    if (extDict.isNull() || extDict.isErased()) {
      if (const Vexa::ErrorStatus es = owner->createExtensionDictionary(); es != Vexa::eOk)
        return es;
      extDict = owner->extensionDictionary();
    }
    QvDbObjectPointer<QvDbDictionary> dict(extDict, QvDb::kForWrite);
    if (dict.openStatus() != Vexa::eOk) return dict.openStatus();
    QvDbObjectPointer<Graph> graph(new Graph());
    return dict->setAt(key, graph.object(), graphId);
  }

  static Vexa::ErrorStatus remove(const QvDbObject* owner, const wchar_t* key) {
    const QvDbObjectId id = find(owner, key);
    if (id.isNull()) return Vexa::eKeyNotFound;
    QvDbObjectPointer<QvDbDictionary> dict(owner->extensionDictionary(), QvDb::kForWrite);
    if (dict.openStatus() != Vexa::eOk) return dict.openStatus();
    QvDbObjectPointer<Graph> graph(id, QvDb::kForWrite);
    if (graph.openStatus() != Vexa::eOk) return graph.openStatus();
    if (const Vexa::ErrorStatus es = dict->remove(key); es != Vexa::eOk) return es;
    return graph->erase();
  }

  static Vexa::ErrorStatus remove(QvDbObjectId ownerId, const wchar_t* key) {
    QvDbObjectPointer<QvDbObject> owner(ownerId, QvDb::kForRead);
    if (owner.openStatus() != Vexa::eOk) return owner.openStatus();
    return remove(owner.object(), key);
  }
};
