// The block census table and the rescaling of references, on selection sets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSmartBlockGlobals.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedSelection.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/PointChecks.h"
#include "tests/support/ScaleChecks.h"
#include "xqcmdutil/XqBlockInserts.h"

namespace {

using P = QvGePoint3d;

// A selection set of the classic interface, freed at the end.
class Selection {
 public:
  explicit Selection(const std::vector<QvDbObjectId>& ids) {
    for (const QvDbObjectId& id : ids) {
      int64_t entity[2];
      qvdbGetAdsName(entity, id);
      const bool fresh = name_[0] == 0 && name_[1] == 0;
      EXPECT_EQ(qvedSSAdd(entity, fresh ? nullptr : name_, name_), kQvNormal);
    }
  }
  ~Selection() { qvedSSFree(name_); }
  const int64_t* name() const { return name_; }

 private:
  int64_t name_[2] = {0, 0};
};

class BlockInsertsTest : public HostFixture {
 protected:
  QvDbObjectId block(const wchar_t* name) {
    QvDbObjectId id = addBlock(db(), name);
    appendEntity(id, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    return id;
  }
  QvDbObjectId reference(QvDbObjectId blockId, const P& at = P(0, 0, 0), double scale = 1.0) {
    auto* ref = new QvDbBlockReference(at, blockId);
    ref->setScaleFactors(QvGeScale3d(scale, scale, scale));
    return appendToModelSpace(db(), ref);
  }
  std::wstring printed() { return transcript().text().wstr(); }
  // What the census of a selection prints, its status expected.
  std::wstring census(const Selection& set, int status = kQvNormal) {
    transcript().clear();
    EXPECT_EQ(CountBlockInserts(set.name()), status);
    return printed();
  }
  // Whether the rescaling left its temporary block in the drawing.
  bool hasTemporaryBlock() {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    return !table || table->has(L"acet-tmp-block");
  }
};

// The census table's head, ahead of its rows.
const std::wstring kCensusHead =
    L"Block..............................Count"
    L"\n------------------------------------------------";

// Rows in order of first appearance; names up to the longest a block may have are printed
// whole, and the dots stop at three from 30 characters on.
TEST_F(BlockInsertsTest, TheCensusTableByteForByteInOrderOfFirstAppearance) {
  const QvDbObjectId tree = block(L"TREE");
  const std::wstring longName(34, L'L'), of29(29, L'q'), of30(30, L'r');
  const std::wstring longest = L"N" + std::wstring(253, L'-') + L"Z";
  const QvDbObjectId big = block(longName.c_str());
  Selection set({reference(tree), reference(big), reference(tree), reference(block(L"A.B")),
                 reference(block(L"*U")), reference(tree), reference(block(longest.c_str())),
                 reference(block(of29.c_str())), reference(block(of30.c_str())),
                 appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(1, 1, 0)))});
  EXPECT_EQ(census(set), kCensusHead + L"\nTREE..........................3\n" + longName +
                             L"...1\nA.B...........................1\n" + longest + L"...1\n" +
                             of29 + L".1\n" + of30 + L"...1");
}

TEST_F(BlockInsertsTest, DynamicAndTagReferencesCountUnderTheirVisibleName) {
  const QvDbObjectId door = block(L"DOOR");
  const QvDbObjectId gate = block(L"GATE");
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForWrite);
    QvDbObjectId graph;
    ASSERT_EQ(QvDbEvalGraph::createGraph(record.object(), graph), Vexa::eOk);
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(gate, QvDb::kForWrite);
    QvDbObjectId graph;
    ASSERT_EQ(QvDbTagEvalGraph::createGraph(record.object(), graph), Vexa::eOk);
  }
  QvDbObjectId doorRep, gateRep;
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(door, doorRep), Vexa::eOk);
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(gate, gateRep), Vexa::eOk);
  // Anonymous representations, seen through their references, count as their definitions.
  Selection set({reference(doorRep), reference(door), reference(gateRep), reference(doorRep)});
  EXPECT_EQ(census(set), kCensusHead +
                             L"\nDOOR..........................3"
                             L"\nGATE..........................1");
}

TEST_F(BlockInsertsTest, NothingCountableGivesNoTable) {
  const QvDbObjectId anon = block(L"*U");
  Selection set({reference(anon), appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(1, 1, 0)))});
  EXPECT_EQ(census(set, kQvError), L"");
  CStringArray names;
  XqBlockCounts counts;
  EXPECT_EQ(OutputBlkInserts(names, counts), kQvError);
  EXPECT_EQ(AddToBlkCount(nullptr, names, counts), kQvError);
}

TEST_F(BlockInsertsTest, CountsGoPast65535AndWordCountsStopThere) {
  CStringArray names;
  XqBlockCounts counts;
  CStringArray wordNames;
  CWordArray words;
  for (int i = 0; i < 65537; ++i) {
    AddToBlkCount(L"Bolt", names, counts);
    AddToBlkCount(L"Bolt", wordNames, words);
  }
  AddToBlkCount(L"bolt", names, counts);  // names differ by case
  ASSERT_EQ(names.GetSize(), 2);
  EXPECT_EQ(counts[0], 65537u);
  EXPECT_EQ(counts[1], 1u);
  EXPECT_EQ(words[0], 65535);
  transcript().clear();
  OutputBlkInserts(names, counts);
  EXPECT_NE(printed().find(L"\nBolt..........................65537"), std::wstring::npos);
}

// A selection larger than 16 bits can count: every reference is counted.
TEST_F(BlockInsertsTest, AHugeSelectionIsCountedWhole) {
  const QvDbObjectId bolt = block(L"BOLT");
  const QvDbObjectId nut = block(L"NUT");
  std::vector<QvDbObjectId> ids;
  for (int i = 0; i < 65537; ++i) ids.push_back(reference(bolt));
  ids.push_back(reference(nut));
  Selection set(ids);
  EXPECT_EQ(census(set), kCensusHead +
                             L"\nBOLT..........................65537"
                             L"\nNUT...........................1");
}

TEST_F(BlockInsertsTest, RescalingThroughEntityDataMultipliesOrSets) {
  const QvDbObjectId tree = block(L"TREE");
  const QvDbObjectId a = reference(tree, P(5, 0, 0), 2.0);
  QvDbObjectId b = reference(tree, P(9, 0, 0));
  {
    QvDbObjectPointer<QvDbBlockReference> ref(b, QvDb::kForWrite);
    ref->setScaleFactors(QvGeScale3d(1, 3, 1));
  }
  ASSERT_EQ(setShortVar(L"UCSICON", 1), kQvNormal);
  ASSERT_EQ(setShortVar(L"EXPLMODE", 0), kQvNormal);
  {
    Selection set({a, b});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 1.5, 1.5, 1.5, 0), kQvNormal);
  }
  auto scaleOf = [](QvDbObjectId id) {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
    return ref->scaleFactors();
  };
  EXPECT_SCALE_NEAR(scaleOf(a), QvGeScale3d(3));
  EXPECT_SCALE_NEAR(scaleOf(b), QvGeScale3d(1.5, 4.5, 1.5));
  {
    Selection set({a});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 0.5, 0.25, 2, 2), kQvNormal);
  }
  EXPECT_SCALE_NEAR(scaleOf(a), QvGeScale3d(0.5, 0.25, 2));
  // Zero and endless factors are refused with nothing changed.
  {
    Selection set({a});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 0.0, 1, 1, 2), kQvError);
    EXPECT_EQ(ScaleBlkInserts(set.name(), 1, INFINITY, 1, 0), kQvError);
  }
  EXPECT_SCALE_NEAR(scaleOf(a), QvGeScale3d(0.5, 0.25, 2));
  // The variables held while it works come back.
  EXPECT_EQ(shortVar(L"ATTREQ"), 1);
  EXPECT_EQ(shortVar(L"UCSICON"), 1);
  EXPECT_EQ(shortVar(L"EXPLMODE"), 0);
}

// A reference of TREE at `at`, turned by `rotation`, with a name tag two units to its right.
QvDbObjectId taggedReference(QvDbDatabase* db, QvDbObjectId tree, const P& at,
                             double rotation = 0.0) {
  auto* ref = new QvDbBlockReference(at, tree);
  ref->setRotation(rotation);
  const QvDbObjectId id = appendToModelSpace(db, ref);
  auto* tag = new QvDbAttribute(at + QvGeVector3d(2, 0, 0).rotateBy(rotation, QvGeVector3d::kZAxis),
                                L"Rowan", L"NAME");
  tag->setRotation(rotation);
  tag->setHeight(1.0);
  appendAttribute(id, tag);
  return id;
}

// The one live reference of model space after a rebuild, with its tag.
struct Rebuilt {
  QvDbObjectId id;
  QvGeScale3d scale;
  P position;
  double rotation = 0.0;
  P tagPosition;
  double tagHeight = 0.0;
  QvString tagText;
};

Rebuilt liveReference(QvDbDatabase* db) {
  Rebuilt out;
  QvDbObjectPointer<QvDbBlockTableRecord> space(db->modelSpaceId(), QvDb::kForRead);
  int found = 0;
  for (const QvDbObjectId id : space->entityIds()) {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
    if (!ref) continue;
    ++found;
    out.id = id;
    out.scale = ref->scaleFactors();
    out.position = ref->position();
    out.rotation = ref->rotation();
    EXPECT_EQ(ref->numAttributes(), 1);
    if (ref->numAttributes() != 1) continue;
    QvDbObjectIterator* it = ref->attributeIterator();
    QvDbObjectPointer<QvDbAttribute> tag(it->objectId(), QvDb::kForRead);
    delete it;
    out.tagPosition = tag->position();
    out.tagHeight = tag->height();
    out.tagText = tag->textString();
  }
  EXPECT_EQ(found, 1);
  return out;
}

TEST_F(BlockInsertsTest, ReferencesWithAttributesAreRebuiltThroughTheHostsCommands) {
  const QvDbObjectId tree = block(L"TREE");
  const QvDbObjectId id = taggedReference(db(), tree, P(10, 10, 0));
  // A UCS of the user's and an explode mode that refuses uneven scaling: both come back.
  run(L"UCS\nO\n1,2\n");
  ASSERT_EQ(setShortVar(L"EXPLMODE", 0), kQvNormal);
  ASSERT_EQ(setShortVar(L"UCSICON", 2), kQvNormal);
  script(L"leftover\n");
  {
    Selection set({id});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 3, 3, 3, 0), kQvNormal);
  }
  EXPECT_EQ(inputScript().linesLeft(), 1);  // the commands sent never read the script
  EXPECT_TRUE(id.isErased());               // the rebuilt reference is a new entity
  Rebuilt ref = liveReference(db());
  EXPECT_NEAR(ref.scale.sx, 3.0, 1e-12);
  EXPECT_TRUE(ref.position.isEqualTo(P(10, 10, 0)));
  EXPECT_TRUE(ref.tagPosition.isEqualTo(P(16, 10, 0)));
  EXPECT_NEAR(ref.tagHeight, 3.0, 1e-12);
  EXPECT_EQ(ref.tagText, L"Rowan");
  EXPECT_TRUE(vars().currentUcs().origin().isEqualTo(P(1, 2, 0)));
  EXPECT_EQ(shortVar(L"EXPLMODE"), 0);
  EXPECT_EQ(shortVar(L"ATTREQ"), 1);
  EXPECT_EQ(shortVar(L"UCSICON"), 2);
  EXPECT_FALSE(hasTemporaryBlock());
  EXPECT_THAT(transcript().text().wstr(), testing::HasSubstr(L"Command: _.EXPLODE"));
}

TEST_F(BlockInsertsTest, RebuiltReferencesTakeUnevenFactorsInTheirOwnAxes) {
  const QvDbObjectId tree = block(L"TREE");
  constexpr double kTurn = 0.5;
  const QvDbObjectId id = taggedReference(db(), tree, P(4, 0, 0), kTurn);
  {
    Selection set({id});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 2, 1, 1, 0), kQvNormal);
  }
  Rebuilt ref = liveReference(db());
  EXPECT_SCALE_NEAR(ref.scale, QvGeScale3d(2, 1, 1), 1e-12);
  EXPECT_NEAR(ref.rotation, kTurn, 1e-12);
  EXPECT_TRUE(ref.position.isEqualTo(P(4, 0, 0)));
  // The tag lay on the reference's X axis: it moves out along it.
  const P tagExpected = P(4, 0, 0) + QvGeVector3d(4, 0, 0).rotateBy(kTurn, QvGeVector3d::kZAxis);
  EXPECT_POINT_NEAR(ref.tagPosition, tagExpected);
  // Mode 2 sets the factors; so does any other mode (the rebuild divides by the current ones).
  for (int mode : {2, 1}) {
    Selection set({ref.id});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 0.5, 0.5, 0.5, mode), kQvNormal) << mode;
    ref = liveReference(db());
    EXPECT_SCALE_NEAR(ref.scale, QvGeScale3d(0.5), 1e-12) << mode;
    EXPECT_NEAR(ref.tagHeight, 0.5, 1e-12) << mode;
  }
  // Refused factors change nothing and leave no temporary block behind.
  int64_t name[2];
  ASSERT_EQ(qvdbGetAdsName(name, ref.id), Vexa::eOk);
  EXPECT_EQ(ScaleOneBlkInsert(name, 0.0, 1, 1, 0, L"acet-tmp-block"), kQvError);
  EXPECT_EQ(ScaleOneBlkInsert(name, 1, NAN, 1, 2, L"acet-tmp-block"), kQvError);
  EXPECT_FALSE(ref.id.isErased());
  EXPECT_FALSE(hasTemporaryBlock());
}

}  // namespace

TEST_F(BlockInsertsTest, AReferenceTheBlockCommandDoesNotTakeIsReportedAndKept) {
  const QvDbObjectId tree = block(L"TREE");
  addLayer(db(), L"Frozen works", [](QvDbLayerTableRecord& layer) { layer.setIsLocked(true); });
  const QvDbObjectId id = taggedReference(db(), tree, P(10, 10, 0));
  {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForWrite);
    ASSERT_EQ(ref->setLayer(L"Frozen works"), Vexa::eOk);
  }
  int64_t name[2];
  ASSERT_EQ(qvdbGetAdsName(name, id), Vexa::eOk);
  // The host's BLOCK leaves references on locked layers alone: nothing is scaled.
  EXPECT_EQ(ScaleOneBlkInsert(name, 2, 2, 2, 0, L"acet-tmp-block"), kQvError);
  {
    Selection set({id});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 2, 2, 2, 0), kQvError);
  }
  EXPECT_FALSE(id.isErased());
  const Rebuilt ref = liveReference(db());
  EXPECT_EQ(ref.id, id);
  EXPECT_EQ(ref.scale.sx, 1.0);
  EXPECT_EQ(ref.tagText, L"Rowan");
  EXPECT_TRUE(vars().currentUcs().origin().isEqualTo(P(0, 0, 0)));

  // Unlocked, but the temporary block refuses the copy.
  {
    QvDbObjectPointer<QvDbBlockReference> open(id, QvDb::kForWrite);
    ASSERT_EQ(open->setLayer(L"0"), Vexa::eOk);
  }
  VexaFaultInjection& faults = host().service<VexaFaultInjection>();
  faults.arm("QvDbBlockTableRecord::appendQvDbEntity", 1, Vexa::eOutOfMemory);
  {
    Selection set({id});
    EXPECT_EQ(ScaleBlkInserts(set.name(), 2, 2, 2, 0), kQvError);
  }
  EXPECT_EQ(faults.tripped("QvDbBlockTableRecord::appendQvDbEntity"), 1);
  EXPECT_FALSE(id.isErased());
  EXPECT_EQ(liveReference(db()).scale.sx, 1.0);
  EXPECT_FALSE(hasTemporaryBlock());
}

TEST_F(BlockInsertsTest, ErasedReferencesAreLeftAlone) {
  const QvDbObjectId tree = block(L"TREE");
  const QvDbObjectId live = reference(tree, P(1, 0, 0));
  const QvDbObjectId gone = reference(tree, P(2, 0, 0));
  const QvDbObjectId tagged = taggedReference(db(), tree, P(3, 0, 0));
  Selection set({live, gone, tagged});
  for (const QvDbObjectId id : {gone, tagged}) ASSERT_EQ(eraseObject(id), Vexa::eOk);
  EXPECT_EQ(census(set), kCensusHead + L"\nTREE..........................1");
  int64_t name[2];
  ASSERT_EQ(qvdbGetAdsName(name, tagged), Vexa::eOk);
  EXPECT_EQ(ScaleOneBlkInsert(name, 2, 2, 2, 0, L"acet-tmp-block"), kQvError);
  ScaleBlkInserts(set.name(), 2, 2, 2, 0);
  QvDbObjectPointer<QvDbBlockReference> scaled(live, QvDb::kForRead);
  EXPECT_EQ(scaled->scaleFactors().sx, 2.0);
  scaled.close();
  for (const QvDbObjectId id : {gone, tagged}) {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead, true);
    ASSERT_EQ(ref.openStatus(), Vexa::eOk);
    EXPECT_TRUE(ref->isErased());
    EXPECT_EQ(ref->scaleFactors().sx, 1.0);
  }
  EXPECT_FALSE(hasTemporaryBlock());
}

TEST_F(BlockInsertsTest, EmptySelectionsCountNothingAndScaleNothing) {
  const QvDbObjectId tree = block(L"TREE");
  const QvDbObjectId id = reference(tree, P(1, 0, 0));
  int64_t empty[2] = {0, 0};
  int64_t entity[2];
  ASSERT_EQ(qvdbGetAdsName(entity, id), Vexa::eOk);
  ASSERT_EQ(qvedSSAdd(entity, nullptr, empty), kQvNormal);
  ASSERT_EQ(qvedSSDel(entity, empty), kQvNormal);
  int32_t length = -1;
  ASSERT_EQ(qvedSSLength(empty, &length), kQvNormal);
  ASSERT_EQ(length, 0);
  ASSERT_EQ(setShortVar(L"UCSICON", 1), kQvNormal);
  transcript().clear();
  EXPECT_EQ(CountBlockInserts(empty), kQvError);
  EXPECT_EQ(ScaleBlkInserts(empty, 2, 2, 2, 0), kQvNormal);
  qvedSSFree(empty);
  // A set that does not exist (freed, or never made).
  const int64_t none[2] = {0, 0};
  EXPECT_EQ(CountBlockInserts(none), kQvError);
  EXPECT_EQ(ScaleBlkInserts(none, 2, 2, 2, 0), kQvError);
  EXPECT_EQ(CountBlockInserts(nullptr), kQvError);
  EXPECT_EQ(ScaleBlkInserts(nullptr, 2, 2, 2, 0), kQvError);
  EXPECT_EQ(printed(), L"");
  EXPECT_EQ(shortVar(L"UCSICON"), 1);
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
  EXPECT_EQ(ref->scaleFactors().sx, 1.0);
}
