#pragma once

#include "sdk/db/QvDbObject.h"

// The evaluation graph of a dynamic block: the objects (parameters, actions) that drive the
// block's references, kept in the block table record's extension dictionary under
// "ACAD_ENHANCEDBLOCK". A block with a graph is a dynamic block. The stand-in keeps the nodes
// (ids of the driving objects) and evaluates nothing.
class QvDbEvalGraph : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbEvalGraph);

  static constexpr const wchar_t* kKey = L"ACAD_ENHANCEDBLOCK";

  QvDbEvalGraph() = default;

  QvDbObjectIdArray nodes() const;
  Vexa::ErrorStatus addNode(QvDbObjectId node);

  // The graph of an object under `key`. hasGraph and getGraph read the extension dictionary;
  // createGraph makes one (the owner open for write when it has no extension dictionary yet)
  // and answers its id (eDuplicateKey when there is one); removeGraph takes the entry out and
  // erases the graph (eKeyNotFound when there is none).
  static bool hasGraph(const QvDbObject* owner, const wchar_t* key = kKey);
  static Vexa::ErrorStatus getGraph(const QvDbObject* owner, QvDbEvalGraph*& graph,
                                    QvDb::OpenMode mode, const wchar_t* key = kKey);
  static Vexa::ErrorStatus createGraph(QvDbObject* owner, QvDbObjectId& graphId,
                                       const wchar_t* key = kKey);
  static Vexa::ErrorStatus removeGraph(const QvDbObject* owner, const wchar_t* key = kKey);
  // The same on an object by id (opened and closed here).
  static Vexa::ErrorStatus removeGraph(QvDbObjectId ownerId, const wchar_t* key = kKey);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  QvDbObjectIdArray nodes_;
};
