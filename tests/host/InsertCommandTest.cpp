// INSERT, MINSERT, EDITATT and BLOCKEDIT from scripts: drawing files read into blocks, the
// name forms, redefinition, the placement keywords and stages, arrays, attributes, and the
// refusals that leave the drawing as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>

#include "sdk/app/VexaCmdGlobals.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedCommand.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"
#include "tests/support/TempFolder.h"

namespace {

using P = QvGePoint3d;
using ::testing::HasSubstr;
using ::testing::Not;

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
  QvDbObjectId door() const {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    QvDbObjectId id;
    table->getAt(L"door", id);
    return id;
  }
  int doorSize() const {
    QvDbObjectPointer<QvDbBlockTableRecord> block(door(), QvDb::kForRead);
    return block.openStatus() == Vexa::eOk ? block->entityIds().length() : -1;
  }
  // The text of a reference's first attribute ("" without one).
  static QvString attributeText(QvDbObjectId ref) {
    QvDbObjectPointer<QvDbBlockReference> r(ref, QvDb::kForRead);
    std::unique_ptr<QvDbObjectIterator> it(r->attributeIterator());
    if (it->done()) return QvString();
    QvDbObjectPointer<QvDbAttribute> a(it->objectId(), QvDb::kForRead);
    return a->textString();
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
  }
  ASSERT_EQ(modelSpace().size(), 1u);
  const QvDbObjectId ref = modelSpace()[0];
  {
    QvDbObjectPointer<QvDbBlockReference> r(ref, QvDb::kForRead);
    EXPECT_POINT_NEAR(r->position(), P(5, 5, 0));
    EXPECT_DOUBLE_EQ(r->scaleFactors().sx, 2);
    EXPECT_DOUBLE_EQ(r->scaleFactors().sy, 2);  // Enter at Y: the X factor
    EXPECT_NEAR(r->rotation(), std::numbers::pi / 6, 1e-12);
    EXPECT_EQ(r->visibility(), QvDb::kVisible);
  }
  EXPECT_EQ(attributeText(ref), QvString(L"D-7"));
  EXPECT_TRUE(contains("Door number <101> :D-7")) << transcript();
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"door");
  // The base point (1, 0) of the file is the block's origin: the first line starts at
  // (0, 0) - (1, 0), scaled by 2 and turned 30 degrees about (5, 5).
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
    EXPECT_DOUBLE_EQ(r->scaleFactors().sx, -2);
    EXPECT_DOUBLE_EQ(r->scaleFactors().sy, -2);
    EXPECT_DOUBLE_EQ(r->scaleFactors().sz, 2);
    EXPECT_NEAR(r->rotation(), std::numbers::pi / 2, 1e-12);
  }
  EXPECT_FALSE(contains("Specify rotation angle <0>: \nDoor")) << transcript();
  // PScale then a point: the scale is still asked, and Enter takes 1.
  run(L"INSERT\ndoor\nPS\n4\n6,6\n\n\n\n\n");
  QvDbObjectPointer<QvDbBlockReference> r(modelSpace()[2], QvDb::kForRead);
  EXPECT_DOUBLE_EQ(r->scaleFactors().sx, 1);
  EXPECT_DOUBLE_EQ(r->scaleFactors().sy, 1);
}

TEST_F(InsertCommandTest, ZeroScalesAreAskedAgainAndEnterAtThePointAsksAgain) {
  run(L"INSERT\n" + pathText() + L"\n\n0,0\n0\n3\n\n\n\n");
  EXPECT_TRUE(contains("Value must be nonzero.")) << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbBlockReference> r(modelSpace()[0], QvDb::kForRead);
  EXPECT_DOUBLE_EQ(r->scaleFactors().sx, 3);
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
  auto array = [&](size_t i) {
    QvDbObjectPointer<QvDbMInsertBlock> a(modelSpace()[i], QvDb::kForRead);
    EXPECT_EQ(a.openStatus(), Vexa::eOk);
    return std::make_tuple(a->rows(), a->columns(), a->rowSpacing(), a->columnSpacing());
  };
  EXPECT_EQ(array(1), std::make_tuple(3, 1, 10.0, 0.0));
  EXPECT_EQ(array(2), std::make_tuple(2, 2, -3.0, 4.0));
  EXPECT_EQ(array(3), std::make_tuple(1, 4, 0.0, 7.0));
  // A zero column distance was refused; a typed non-number row distance and a zero one too.
  EXPECT_TRUE(contains("The value must not be zero.")) << transcript();
  run(L"MINSERT\ndoor\n0,0\n\n\n0\n2\n1\nfar\n0\n5\n\n");
  EXPECT_TRUE(contains("Requires a nonzero distance between rows.")) << transcript();
  EXPECT_EQ(modelSpace().size(), 5u);
  // "*" names are no arrays.
  run(L"MINSERT\n*door\n");
  EXPECT_TRUE(contains("Cannot explode blocks with the MINSERT command.")) << transcript();
}

TEST_F(InsertCommandTest, RedefinitionAskedAnsweredOrSkippedAndUnreadableFilesChangeNothing) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA\n");
  ASSERT_EQ(doorSize(), 3);
  writePart(doorPath.c_str(), L"", 4);
  run(L"INSERT\ndoor=" + pathText() + L"\nNo\n1,0\n\n\n\n");
  EXPECT_EQ(doorSize(), 3) << transcript();
  run(L"INSERT\ndoor=" + pathText() + L"\nYes\n2,0\n\n\n\n");
  EXPECT_EQ(doorSize(), 5) << transcript();
  EXPECT_TRUE(contains("Redefining block \"door\".")) << transcript();
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
  EXPECT_TRUE(contains("Cannot read the drawing file")) << transcript();
  EXPECT_EQ(doorSize(), 2);
  run(L"INSERT\n" + QvString(folder.file("notes.dxf", "hello\n").c_str()).wstr() + L"\n");
  EXPECT_TRUE(contains("notes.dxf\".")) << transcript();
  QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
  EXPECT_FALSE(table->has(L"notes"));
  EXPECT_EQ(modelSpace().size(), refs);
}

TEST_F(InsertCommandTest, NamesClashingIgnoringCaseUnknownFilesAndTheBlockBeingEdited) {
  const std::string holder = folder.path("holder.dxf");
  writePart(QvString(holder.c_str()).c_str(), L"DOOR", 1);
  run(L"INSERT\ndoor=" + QvString(holder.c_str()).wstr() + L"\n");
  EXPECT_TRUE(contains("The drawing holds a block named \"door\"")) << transcript();
  EXPECT_TRUE(door().isNull());

  run(L"INSERT\nnowhere\n");
  EXPECT_TRUE(contains("Drawing file \"nowhere.DWG\" was not found.")) << transcript();
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
  EXPECT_THAT(transcript(), Not(HasSubstr("Door number")));

  run(L"INSERT\n" + pathText() + L"\n5,0\n\n\n\n^C\n");
  EXPECT_EQ(modelSpace().size(), 3u) << transcript();  // the reference went with the cancel
  setShortVar(L"ATTREQ", 0);
  run(L"INSERT\ndoor\n6,0\n\n\n\n");
  ASSERT_EQ(modelSpace().size(), 4u) << transcript();
  EXPECT_EQ(attributeText(modelSpace()[3]), QvString(L"101"));
}

// Without a user: no redefinition question, attributes on the command line even with ATTDIA 1.
// (EDITATT in the dialog runs end to end in examples/insert.script.)
TEST_F(InsertCommandTest, NonInteractiveRunsRedefineWithoutAskingAndAskOnTheCommandLine) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA-1\n");
  ASSERT_EQ(modelSpace().size(), 1u);
  setShortVar(L"ATTDIA", 1);
  VexaCommandContexts::current()->setNonInteractive(true);
  writePart(doorPath.c_str(), L"", 3);
  run(L"INSERT\ndoor=" + pathText() + L"\n9,0\n\n\n\nC-3\n");
  EXPECT_EQ(doorSize(), 4) << transcript();
  ASSERT_EQ(modelSpace().size(), 2u);
  EXPECT_EQ(attributeText(modelSpace()[1]), QvString(L"C-3"));
  EXPECT_TRUE(contains("Door number <101> :C-3")) << transcript();
}

TEST_F(InsertCommandTest, ACommandSentFromCodeRedefinesWithoutAsking) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA-1\n");
  ASSERT_EQ(doorSize(), 3);
  writePart(doorPath.c_str(), L"", 4);
  const QvString name = L"door=" + doorPath;
  EXPECT_EQ(qvedCommand(kRbString, L"INSERT", kRbString, name.c_str(), kRbString, L"5,0", kRbString,
                        L"", kRbString, L"", kRbString, L"0", kRbString, L"Z-9", 0),
            kQvNormal)
      << transcript();
  EXPECT_EQ(doorSize(), 5);
  EXPECT_THAT(transcript(), Not(HasSubstr("Redefine it?")));
  ASSERT_EQ(modelSpace().size(), 2u);
  EXPECT_EQ(attributeText(modelSpace()[1]), QvString(L"Z-9"));
}

// A script file run by SCRIPT has no user to ask either: the input-state flag makes the insert
// redefine without the question.
TEST_F(InsertCommandTest, AScriptFileRedefinesWithoutAsking) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\nA-1\n");
  ASSERT_EQ(doorSize(), 3);
  writePart(doorPath.c_str(), L"", 4);
  const std::string script =
      folder.file("place.scr", "INSERT\ndoor=" + doorPath.utf8() + "\n5,0\n\n\n0\nZ-9\n");
  const auto summary = run(L"SCRIPT\n" + QvString(script.c_str()) + L"\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_EQ(doorSize(), 5);
  EXPECT_THAT(transcript(), Not(HasSubstr("Redefine it?")));
  ASSERT_EQ(modelSpace().size(), 2u);
  EXPECT_EQ(attributeText(modelSpace()[1]), QvString(L"Z-9"));
}

TEST_F(InsertCommandTest, TheListingCountsWhatItPrinted) {
  run(L"INSERT\n" + pathText() + L"\n0,0\n\n\n\n\n");
  addBlock(db(), L"window");
  addBlock(db(), L"*U");  // unnamed: counted, never printed, not taken off the user blocks
  // The listing itself, on the text screen, runs end to end in examples/insert.script.
  run(L"INSERT\n?\nd*\n");
  EXPECT_TRUE(contains("     1         0            0            1")) << transcript();
  run(L"INSERT\n?\nzz*\n");
  EXPECT_TRUE(contains("No defined blocks match.")) << transcript();
}

}  // namespace
