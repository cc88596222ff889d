#pragma once

#include "sdk/db/QvDbObject.h"

// The graph of a tag-driven dynamic block, kept in the block table record's extension
// dictionary under "TAG_ENHANCEDBLOCK": the attribute tags whose values drive the block. A
// block with such a graph is a tag block.
class QvDbTagEvalGraph : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbTagEvalGraph);

  static constexpr const wchar_t* kKey = L"TAG_ENHANCEDBLOCK";

  QvDbTagEvalGraph() = default;

  QvArray<QvString> tags() const;
  Vexa::ErrorStatus addTag(const wchar_t* tag);  // not empty; a tag it has changes nothing

  // As QvDbEvalGraph's, under this graph's key.
  static bool hasGraph(const QvDbObject* owner, const wchar_t* key = kKey);
  static Vexa::ErrorStatus getGraph(const QvDbObject* owner, QvDbTagEvalGraph*& graph,
                                    QvDb::OpenMode mode, const wchar_t* key = kKey);
  static Vexa::ErrorStatus createGraph(QvDbObject* owner, QvDbObjectId& graphId,
                                       const wchar_t* key = kKey);
  static Vexa::ErrorStatus removeGraph(const QvDbObject* owner, const wchar_t* key = kKey);
  static Vexa::ErrorStatus removeGraph(QvDbObjectId ownerId, const wchar_t* key = kKey);

 private:
  QvArray<QvString> tags_;
};
