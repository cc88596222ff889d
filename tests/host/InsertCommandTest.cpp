// INSERT, MINSERT, INSERTAT, EDITATT and BLOCKEDIT from scripts: drawing files read into
// blocks, the name forms and the name dialog, redefinition, the placement keywords and scale
// stages, arrays, attributes, the drag of the insertion point, and the refusals that leave the
// drawing as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "sdk/app/VexaCmdGlobals.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedCommand.h"
#include "sdk/render/QvGiDragFrames.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"
#include "tests/support/TempFolder.h"

namespace {

using P = QvGePoint3d;

class InsertCommandTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    db()->setInsunits(QvDb::kUnitsMillimeters);
    doorPath = QvString(folder.path("door.dxf").c_str());
    writePart(doorPath.c_str(), L"", 2);
  }

  // A part drawing in millimetres with its base point at (1, 0): `lines` lines and a NUMBER
  // attribute definition, and a block named `inner` when given.
  static void writePart(const wchar_t* path, const wchar_t* inner, int lines) {
    QvDbDatabase part(true, true);
    part.setInsunits(QvDb::kUnitsMillimeters);
    part.setInsbase(P(1, 0, 0));
    for (int i = 0; i < lines; ++i)
      appendEntity(part.modelSpaceId(), new QvDbLine(P(0, i, 0), P(2, i, 0)));
    auto* def = new QvDbAttributeDefinition(P(0, -1, 0), L"101", L"NUMBER", L"Door number");
    def->setHeight(0.25);
    appendEntity(part.modelSpaceId(), def);
    if (*inner) addBlock(&part, inner);
    ASSERT_EQ(part.saveAs(path), Vexa::eOk);
  }
  QvDbObjectId door() const { return blockNamed(L"door"); }
  int doorSize() const { return entitiesOf(door()).length(); }
  // The text of a reference's first attribute ("" without one).
  static QvString attributeText(QvDbObjectId ref) {
    QvDbObjectPointer<QvDbBlockReference> r(ref, QvDb::kForRead);
    std::unique_ptr<QvDbObjectIterator> it(r->attributeIterator());
    if (it->done()) return QvString();
    QvDbObjectPointer<QvDbAttribute> a(it->objectId(), QvDb::kForRead);
    return a->textString();
  }
  // Rows, columns, row and column spacing of the array at model space's index `i`.
  std::tuple<int, int, double, double> arrayShape(size_t i) const {
    QvDbObjectPointer<QvDbMInsertBlock> a(modelSpace().at(i), QvDb::kForRead);
    EXPECT_EQ(a.openStatus(), Vexa::eOk);
    if (!a) return {};
    return {a->rows(), a->columns(), a->rowSpacing(), a->columnSpacing()};
  }
  QvGeScale3d lastScale() const {
    QvDbObjectPointer<QvDbBlockReference> r(modelSpace().back(), QvDb::kForRead);
    return r->scaleFactors();
  }
  std::wstring pathText() const { return doorPath.wstr(); }

  TempFolder folder;
  QvString doorPath;
};

TEST_F(InsertCommandTest, AFileBecomesABlockWithItsUnitsAndBasePointAndIsPlaced) {
  const auto summary = run(L"INSERT\n" + pathText() + L"\n5,5\n2\n\n30\nD-7\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  ASSERT_FALSE(door().isNull());
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(door(), QvDb::kForRead);
    EXPECT_EQ(block->blockInsertUnits(), QvDb::kUnitsMillimeters);
    EXPECT_POINT_NEAR(block->origin(), P(1, 0, 0));  // the file's base point
  }
  ASSERT_EQ(modelSpace().size(), 1u);
  const QvDbObjectId ref = modelSpace()[0];
  {
    QvDbObjectPointer<QvDbBlockReference> r(ref, QvDb::kForRead);
    EXPECT_POINT_NEAR(r->position(), P(5, 5, 0));
    EXPECT_EQ(r->scaleFactors(), QvGeScale3d(2, 2, 2));  // Enter at Y: the X factor
    EXPECT_NEAR(r->rotation(), std::numbers::pi / 6, 1e-12);
    EXPECT_EQ(r->visibility(), QvDb::kVisible);
  }
  EXPECT_EQ(attributeText(ref), QvString(L"D-7"));
  EXPECT_TRUE(contains("Door number <101> :D-7"));
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"door");
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(InsertCommandTest, KeywordsGiveScaleAndRotationAheadAndPresetsOnlyShapeThePreview) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\n\n");  // the block, then a first reference
  ASSERT_EQ(modelSpace().size(), 1u);
  // PScale 5 shapes the preview only; Scale -2 sets the reference's and skips the scale
  // question; Rotate 90 skips the rotation question.
  const auto summary = run(L"INSERT\ndoor\nPS\n5\nS\n-2\nR\n90\n3,3\n\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  ASSERT_EQ(modelSpace().size(), 2u);
  {
    QvDbObjectPointer<QvDbBlockReference> r(modelSpace()[1], QvDb::kForRead);
    EXPECT_POINT_NEAR(r->position(), P(3, 3, 0));
    EXPECT_EQ(r->scaleFactors(), QvGeScale3d(-2, -2, 2));
    EXPECT_NEAR(r->rotation(), std::numbers::pi / 2, 1e-12);
  }
  EXPECT_FALSE(contains("Specify rotation angle <0>: \nDoor"));
  // PScale then a point: the scale is still asked, and Enter takes 1.
  run(L"INSERT\ndoor\nPS\n4\n6,6\n\n\n\n\n");
  ASSERT_EQ(modelSpace().size(), 3u);
  EXPECT_EQ(lastScale(), QvGeScale3d(1, 1, 1));
}

TEST_F(InsertCommandTest, ZeroScalesAreAskedAgainAndEnterAtThePointAsksAgain) {
  run(L"INSERT\n" + pathText() + L"\n\n0,0\n0\n3\n\n\n\n");
  EXPECT_TRUE(contains("Value must be nonzero."));
  ASSERT_EQ(modelSpace().size(), 1u);
  EXPECT_EQ(lastScale().sx, 3);
}

TEST_F(InsertCommandTest, TheBasepointKeywordMovesTheBaseAndLeavesNoTemporaryReference) {
  run(L"INSERT\n" + pathText() + L"\n~2,0\nB\n1,0\n10,10\n\n\n\n\n");
  ASSERT_EQ(modelSpace().size(), 1u) << transcript();
  QvDbObjectPointer<QvDbBlockReference> r(modelSpace()[0], QvDb::kForRead);
  // The block stood at (2, 0) when (1, 0) was picked: the cursor is 1 to the left of the base.
  EXPECT_POINT_NEAR(r->position(), P(11, 10, 0));
}

TEST_F(InsertCommandTest, ArraysByTypedDistancesAndByAUnitCell) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\n\n");
  run(L"MINSERT\ndoor\n0,0\n\n\n0\n3\n1\n10\n\n");
  run(L"MINSERT\ndoor\n0,0\n\n\n0\n2\n2\n0,0\n4,-3\n\n");
  run(L"MINSERT\ndoor\n0,0\n\n\n0\n1\n4\n0\n7\n\n");
  ASSERT_EQ(modelSpace().size(), 4u) << transcript();
  EXPECT_EQ(arrayShape(1), std::make_tuple(3, 1, 10.0, 0.0));
  EXPECT_EQ(arrayShape(2), std::make_tuple(2, 2, -3.0, 4.0));
  EXPECT_EQ(arrayShape(3), std::make_tuple(1, 4, 0.0, 7.0));
  // A zero column distance was refused; a typed non-number row distance and a zero one too.
  EXPECT_TRUE(contains("The value must not be zero."));
  run(L"MINSERT\ndoor\n0,0\n\n\n0\n2\n1\nfar\n0\n5\n\n");
  EXPECT_TRUE(contains("Requires a nonzero distance between rows."));
  EXPECT_EQ(modelSpace().size(), 5u);
  // "*" names are no arrays.
  run(L"MINSERT\n*door\n");
  EXPECT_TRUE(contains("Cannot explode blocks with the MINSERT command."));
}

TEST_F(InsertCommandTest, RedefinitionAskedAnsweredOrSkippedAndUnreadableFilesChangeNothing) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA\n");
  ASSERT_EQ(doorSize(), 3);
  writePart(doorPath.c_str(), L"", 4);
  run(L"INSERT\ndoor=" + pathText() + L"\nNo\n1,0\n\n\n\n");
  EXPECT_EQ(doorSize(), 3) << transcript();
  run(L"INSERT\ndoor=" + pathText() + L"\nYes\n2,0\n\n\n\n");
  EXPECT_EQ(doorSize(), 5) << transcript();
  EXPECT_TRUE(contains("Redefining block \"door\"."));
  // With EXPERT 2 no question and no notice.
  writePart(doorPath.c_str(), L"", 1);
  setShortVar(L"EXPERT", 2);
  run(L"INSERT\ndoor=" + pathText() + L"\n3,0\n\n\n\n");
  EXPECT_EQ(doorSize(), 2) << transcript();
  setShortVar(L"EXPERT", 0);

  // A binary file, a folder, a file that is no drawing: message, nothing changed.
  const std::string binary = folder.file("bad.dwg", std::string("AC1032\0\x01\x02", 9));
  const size_t refs = modelSpace().size();
  const auto failed = run(L"INSERT\ndoor=" + QvString(binary.c_str()).wstr() + L"\nYes\n");
  EXPECT_EQ(failed.failed, 1);
  EXPECT_TRUE(contains("Cannot read the drawing file"));
  EXPECT_EQ(doorSize(), 2);
  run(L"INSERT\n" + QvString(folder.file("notes.dxf", "hello\n").c_str()).wstr() + L"\n");
  EXPECT_TRUE(contains("notes.dxf\"."));
  EXPECT_TRUE(blockNamed(L"notes").isNull());
  EXPECT_EQ(modelSpace().size(), refs);
}

TEST_F(InsertCommandTest, NamesClashingIgnoringCaseUnknownFilesAndTheBlockBeingEdited) {
  const std::string holder = folder.path("holder.dxf");
  writePart(QvString(holder.c_str()).c_str(), L"DOOR", 1);
  run(L"INSERT\ndoor=" + QvString(holder.c_str()).wstr() + L"\n");
  EXPECT_TRUE(contains("The drawing holds a block named \"door\""));
  EXPECT_TRUE(door().isNull());

  run(L"INSERT\nnowhere\n");
  EXPECT_TRUE(contains("Drawing file \"nowhere.DWG\" was not found."));
  EXPECT_EQ(vexaGetCmdGlobals()->fileSearchFailed, 1);
  EXPECT_TRUE(modelSpace().empty());

  // A bare name is found ignoring case, with ".DWG" added, on the search path.
  std::filesystem::copy_file(doorPath.utf8(), folder.path("gate.dwg"));
  run(L"INSERT\n" + QvString(folder.path("GATE").c_str()).wstr() + L"\n0,0\n\n\n\n\n");
  EXPECT_EQ(modelSpace().size(), 1u) << transcript();

  // The block being edited, and a block that holds it, cannot be inserted.
  run(L"BLOCKEDIT\ngate\n");
  run(L"INSERT\ngate\n");
  EXPECT_EQ(modelSpace().size(), 1u);
  run(L"BLOCKEDIT\n.\nINSERT\ngate\n0,0\n\n\n\n\n");
  EXPECT_EQ(modelSpace().size(), 2u) << transcript();
}

TEST_F(InsertCommandTest, ExplodedInsertsAttributeCancelsAndAttreq) {
  run(L"INSERT\n*" + pathText() + L"\n0,0\n2\n0\n");
  EXPECT_TRUE(door().isNull());  // only the temporary definition was made, and erased
  EXPECT_EQ(modelSpace().size(), 3u) << transcript();  // two lines and the definition
  EXPECT_FALSE(contains("Door number"));

  run(L"INSERT\n" + pathText() + L"\n5,0\n\n\n\n^C\n");
  EXPECT_EQ(modelSpace().size(), 3u) << transcript();  // the reference went with the cancel
  setShortVar(L"ATTREQ", 0);
  run(L"INSERT\ndoor\n6,0\n\n\n\n");
  ASSERT_EQ(modelSpace().size(), 4u) << transcript();
  EXPECT_EQ(attributeText(modelSpace()[3]), QvString(L"101"));
}

// Without a user (a command sent from code, a script file run by SCRIPT, a non-interactive run)
// the file redefines the block without the question. (EDITATT in the dialog runs end to end in
// examples/insert.script.)
TEST_F(InsertCommandTest, RunsWithoutAUserRedefineWithoutAsking) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA-1\n");
  ASSERT_EQ(doorSize(), 3);
  const std::string redefine = "door=" + doorPath.utf8();
  const std::string answers = "\n5,0\n\n\n0\nZ-9\n";
  const std::vector<std::pair<const char*, std::function<void()>>> senders = {
      {"from code",
       [&] {
         EXPECT_EQ(qvedCommand(kRbString, L"INSERT", kRbString, QvString(redefine.c_str()).c_str(),
                               kRbString, L"5,0", kRbString, L"", kRbString, L"", kRbString, L"0",
                               kRbString, L"Z-9", 0),
                   kQvNormal);
       }},
      {"SCRIPT",
       [&] {
         const std::string script = folder.file("place.scr", "INSERT\n" + redefine + answers);
         EXPECT_EQ(run(L"SCRIPT\n" + QvString(script.c_str()) + L"\n").done, 1);
       }},
      {"non-interactive, attributes on the command line even with ATTDIA 1",
       [&] {
         setShortVar(L"ATTDIA", 1);
         VexaCommandContexts::current()->setNonInteractive(true);
         run(QvString(("INSERT\n" + redefine + answers).c_str()));
         EXPECT_TRUE(contains("Door number <101> :Z-9"));
       }},
  };
  int lines = 2;
  for (const auto& [how, send] : senders) {
    SCOPED_TRACE(how);
    writePart(doorPath.c_str(), L"", ++lines);
    const size_t refs = modelSpace().size();
    send();
    EXPECT_EQ(doorSize(), lines + 1);
    EXPECT_FALSE(contains("Redefine it?"));
    ASSERT_EQ(modelSpace().size(), refs + 1);
    EXPECT_EQ(attributeText(modelSpace().back()), QvString(L"Z-9"));
  }
}

TEST_F(InsertCommandTest, TheListingCountsWhatItPrinted) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\n\n");
  addBlock(db(), L"window");
  addBlock(db(), L"*U");  // unnamed: counted, never printed, not taken off the user blocks
  // The listing itself, on the text screen, runs end to end in examples/insert.script.
  run(L"INSERT\n?\nd*\n");
  EXPECT_TRUE(contains("     1         0            0            1"));
  run(L"INSERT\n?\nzz*\n");
  EXPECT_TRUE(contains("No defined blocks match."));
}

class InsertStagesTest : public InsertCommandTest {
 protected:
  void SetUp() override {
    InsertCommandTest::SetUp();
    const QvDbObjectId post = addBlock(db(), L"post");
    appendEntity(post, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    const QvDbObjectId even = addBlock(db(), L"even");
    appendEntity(even, new QvDbLine(P(0, 0, 0), P(1, 1, 0)));
    QvDbObjectPointer<QvDbBlockTableRecord> block(even, QvDb::kForWrite);
    block->setBlockScaling(QvDb::kUniform);
  }
};

TEST_F(InsertStagesTest, AUniformBlockAsksOneFactorAndTheFreeStagesFollowTheKeywords) {
  run(L"INSERT\neven\n0,0\n0\n-2\n0\n");
  // The uniform keyword list (no X, Y, Z), one factor, zero refused and asked again.
  EXPECT_TRUE(
      contains("[Basepoint/Scale/Rotation]: 0,0\nSpecify scale factor <1>: 0\nThe value must "
               "not be zero.\nSpecify scale factor <1>: -2"));
  ASSERT_EQ(modelSpace().size(), 1u);
  EXPECT_EQ(lastScale(), QvGeScale3d(-2, -2, -2));  // a uniform block takes X on every axis

  // Corner: a point from the insertion point gives X and Y (Z takes X), no more questions.
  run(L"INSERT\npost\n0,0\nCorner\n3,4\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(3, 4, 3)) << transcript();
  // XYZ: X typed, then Y, then Z asked with the factors so far.
  run(L"INSERT\npost\n0,0\nXYZ\n2\n5\n-7\n0\n");
  EXPECT_TRUE(contains("Specify Z scale factor (X = 2.0000, Y = 5.0000) <2.0000>: -7"));
  EXPECT_EQ(lastScale(), QvGeScale3d(2, 5, 7));
  // XYZ then Corner: the corner, then Z (Enter: the absolute X).
  run(L"INSERT\npost\n0,0\nXYZ\nC\n-3,2\n\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(-3, 2, 3)) << transcript();
  // The Xscale keyword at the point: X only, then no scale question.
  run(L"INSERT\npost\nX\n6\n1,1\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(6, 1, 1)) << transcript();
  EXPECT_EQ(modelSpace().size(), 5u);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(InsertStagesTest, AFileNameThatIsNoBlockNameIsNamedInTheDialog) {
  QvDbDatabase part(true, true);
  appendEntity(part.modelSpaceId(), new QvDbLine(P(0, 0, 0), P(3, 0, 0)));
  const std::string path = folder.path("gate;2.dxf");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  const std::wstring file = QvString(path.c_str()).wstr();
  // A bad name is refused in a box and asked again; a new name is taken at once.
  run(L"INSERT\n" + file + L"\nbad<name\ngate2\n0,0\n\n\n0\n");
  EXPECT_TRUE(contains("Invalid Block Name: The block name is not valid."));
  EXPECT_FALSE(blockNamed(L"gate2").isNull());
  ASSERT_EQ(modelSpace().size(), 1u);
  // An existing name asks whether to redefine: No keeps the dialog open, Yes redefines.
  run(L"INSERT\n" + file + L"\npost\n\npost\ny\n0,0\n\n\n0\n");
  EXPECT_TRUE(contains(
      {"Redefine Block: A block named \"post\" already exists", "Redefining block \"post\"."}));
  ASSERT_EQ(modelSpace().size(), 2u);
  // Cancel in the dialog, or FILEDIA 0: the name cannot be used.
  run(L"INSERT\n" + file + L"\n^C\n");
  setShortVar(L"FILEDIA", 0);
  run(L"INSERT\n" + file + L"\n");
  EXPECT_TRUE(contains("The block name cannot be used."));
  EXPECT_EQ(modelSpace().size(), 2u);
}

TEST_F(InsertStagesTest, AnAnnotativeFileAsksTheAnnotationScaleAndScalesUniformly) {
  QvDbDatabase part(true, true);
  appendEntity(part.modelSpaceId(), new QvDbLine(P(0, 0, 0), P(3, 0, 0)));
  part.setAnnotativeDwg(true);
  const std::string path = folder.path("tag.dxf");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  // A scale the list lacks is refused in a box; then 1:50 becomes current.
  run(L"INSERT\n" + QvString(path.c_str()).wstr() + L"\n1:3\n1:50\n0,0\n2\n0\n");
  EXPECT_TRUE(
      contains({"Annotation scale <1:1>: 1:3", "The drawing has no annotation scale \"1:3\""}));
  EXPECT_EQ(db()->cannoscaleName(), QvString(L"1:50"));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockNamed(L"tag"), QvDb::kForRead);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->blockScaling(), QvDb::kUniform);
  }
  // One factor only (the uniform question), and no array of it.
  EXPECT_TRUE(contains("Specify scale factor <1>: 2"));
  run(L"MINSERT\ntag\n");
  EXPECT_TRUE(contains("An annotative block cannot be inserted as an array."));
  EXPECT_EQ(modelSpace().size(), 1u);
}

class InsertAtCommandTest : public InsertCommandTest {
 protected:
  void SetUp() override {
    InsertCommandTest::SetUp();
    const QvDbObjectId tree = addBlock(db(), L"Tree");
    appendEntity(tree, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    auto* def = new QvDbAttributeDefinition(P(0, -1, 0), L"oak", L"SPECIES", L"");
    def->setHeight(0.5);
    appendEntity(tree, def);
  }
};

TEST_F(InsertAtCommandTest, InsertsWithScaleRotationAndAttributeAfterADrag) {
  const auto summary = run(L"INSERTAT\nTree\n~3,3\n~4,4\n10,5\n2\n\n\n90\n\n\nNo\nBirch\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("\"Tree\" inserted."));
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbBlockReference> ref(modelSpace()[0], QvDb::kForRead);
  EXPECT_POINT_NEAR(ref->position(), P(10, 5, 0));
  EXPECT_DOUBLE_EQ(ref->scaleFactors().sy, 2);
  EXPECT_NEAR(ref->rotation(), M_PI / 2, 1e-12);
  EXPECT_EQ(attributeText(modelSpace()[0]), QvString(L"Birch"));
  // The two cursor moves and the point given were drawn; nothing of the preview stayed.
  EXPECT_EQ(QvGiDragFrames::current()->frameCount(), 3);
}

TEST_F(InsertAtCommandTest, ArraysExplodingAndRefusals) {
  run(L"INSERTAT\nTree\n0,0\n1\n\n\n0\n2\n3\n5\n4\nSpruce\n");
  ASSERT_EQ(modelSpace().size(), 1u);
  EXPECT_EQ(arrayShape(0), std::make_tuple(2, 3, 5.0, 4.0));
  run(L"INSERTAT\nTree\n20,0\n1\n\n\n0\n\n\nYes\n\n");
  EXPECT_TRUE(contains("\"Tree\" inserted and exploded."));
  EXPECT_GT(modelSpace().size(), 2u);  // the array and the pieces of the exploded one

  const size_t before = modelSpace().size();
  EXPECT_EQ(run(L"INSERTAT\nNowhere\n").done, 1);
  EXPECT_TRUE(contains("There is no block \"Nowhere\"."));
  run(L"INSERTAT\nTree\n0,0\n0\n^C\n");
  EXPECT_TRUE(contains("The value must not be zero."));
  EXPECT_EQ(run(L"INSERTAT\nTree\n~1,1\n").cancelled, 1);  // the script ends in the drag
  EXPECT_EQ(modelSpace().size(), before);
}

}  // namespace
