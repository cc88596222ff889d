#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

// The two kinds of blocks whose references may stand for variations of the definition: dynamic
// blocks (an evaluation graph under "ACAD_ENHANCEDBLOCK") and tag blocks (a tag graph under
// "TAG_ENHANCEDBLOCK").
enum class QvDbSmartBlockKind { kDynamic, kTag };

// What dynamic and tag blocks share. A reference whose variation differs from the definition
// uses an anonymous representation: a "*U" block with the definition's contents, whose
// extended data names the definition ("AcDbBlockRepBTag": 1070 1, 1005 its handle) and its
// visible name ("AcDbDynamicBlockTrueName": 1000 the name). Reads here do not open objects
// (bookkeeping of the database).
class QvDbSmartBlock {
 public:
  static constexpr const wchar_t* kTrueNameApp = L"AcDbDynamicBlockTrueName";
  static constexpr const wchar_t* kRepresentationApp = L"AcDbBlockRepBTag";

  static const wchar_t* graphKey(QvDbSmartBlockKind kind);
  // Whether a block table record holds the graph of that kind.
  static bool hasGraph(QvDbObjectId blockId, QvDbSmartBlockKind kind);
  // The block table record a reference uses; a block table record's own id for one.
  static QvDbObjectId blockOf(QvDbObjectId id);
  // The definition a representation was made from (null for any other block).
  static QvDbObjectId representedBy(QvDbObjectId blockId);
  // The definition a block stands for: itself when it has the graph, the definition of a
  // representation when that one has it; null otherwise.
  static QvDbObjectId definitionOf(QvDbObjectId blockId, QvDbSmartBlockKind kind);
  // The visible name: the first item of the true-name extended data when it is a string, else
  // the record's own name.
  static QvString trueName(QvDbObjectId blockId);
  // The live representations of a definition, in table order.
  static QvDbObjectIdArray representationsOf(QvDbObjectId definitionId);
  // A new anonymous representation of a definition with the definition's contents and
  // settings; eNotApplicable for a block that is neither kind.
  static Vexa::ErrorStatus makeRepresentation(QvDbObjectId definitionId, QvDbObjectId& repId);
};
