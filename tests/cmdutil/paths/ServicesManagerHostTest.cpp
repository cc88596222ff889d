// VexaServicesManager: the text screen, line-weight texts, the current document's file, the
// file dialog and the selections of references and of hidden or locked entities.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaFileDialog.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSelectionSets.h"
#include "sdk/ed/qvedSelection.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

using S = VexaServicesManager;

using testing::ElementsAre;

class ServicesHostTest : public HostFixture {};

TEST_F(ServicesHostTest, TextScreenIsShownInTheTranscript) {
  S::showTextScreen();
  S::showTextScreen();
  EXPECT_EQ(transcript().textScreens(), 2);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0], VexaTranscript::kTextScreenText);
}

// Every standard weight's text is compared end to end by the LWEIGHT listing of
// examples/services.transcript; here the ends of the range and the special values.
TEST_F(ServicesHostTest, StandardLineWeightsAndTheSpecialValues) {
  const struct {
    int weight;
    const wchar_t* text;
  } rows[] = {{0, L"0.00 mm"},  {5, L"0.05 mm"},  {106, L"1.06 mm"}, {211, L"2.11 mm"},
              {-1, L"ByLayer"}, {-2, L"ByBlock"}, {-3, L"Default"}};
  for (const auto& row : rows) {
    QvString text;
    EXPECT_EQ(S::lineWeightToString(row.weight, text), kQvNormal) << row.weight;
    EXPECT_EQ(text, row.text) << row.weight;
  }
  // Weights between the standard ones and beyond them are refused, the text kept.
  for (int weight : {1, 24, 26, 212, 300, -4, -100, 2147483647}) {
    QvString text = L"kept";
    EXPECT_EQ(S::lineWeightToString(weight, text), kQvError) << weight;
    EXPECT_EQ(text, L"kept") << weight;
  }
}

TEST_F(ServicesHostTest, FileTypeAndSaveVersionOfTheCurrentDocument) {
  VexaDocData* data = GetVexaAppCtxActiveDocData();
  ASSERT_NE(data, nullptr);
  S::SetCurDocumentFileType(kDocFileDxf);
  EXPECT_EQ(data->fileType, kDocFileDxf);
  S::SetCurDocumentFileType(kDocFileDwt);
  EXPECT_EQ(data->fileType, kDocFileDwt);
  for (int bad : {-1, 3, 99}) S::SetCurDocumentFileType(bad);
  EXPECT_EQ(data->fileType, kDocFileDwt);

  // A version the writer cannot write leaves the one the save uses.
  S::SetVersionForSave(27);
  EXPECT_EQ(data->saveVersion, QvDb::kDrawingVersionR2018);
  S::SetVersionForSave(QvDb::kDrawingVersionR2018);
  EXPECT_EQ(data->saveVersion, QvDb::kDrawingVersionR2018);

  TempFolder folder;
  const std::string path = folder.path("saved.dxf");
  ASSERT_EQ(db()->saveAs(QvString(path.c_str()).c_str(), false, data->saveVersion), Vexa::eOk);
  EXPECT_NE(readTextFile(path).find("AC1032"), std::string::npos);
}

TEST_F(ServicesHostTest, FileDialogOfTheCommandTools) {
  script(L"C:\\parts\\door.dxf\n\n^C\n");
  QvString chosen = L"kept";
  EXPECT_EQ(S::GetFilebyDialog(L"Open", L"door", L"dwg;dxf", kFileDialogDefaultName, chosen), 0);
  EXPECT_EQ(chosen, L"C:\\parts\\door.dxf");
  EXPECT_EQ(S::GetFilebyDialog(L"Open", L"door", L"dwg;dxf", 0, chosen), -1);
  EXPECT_EQ(S::GetFilebyDialog(L"Open", nullptr, nullptr, 0, chosen), -4);
  EXPECT_EQ(chosen, L"C:\\parts\\door.dxf");
  // The flags go as given: the default is offered only under its flag.
  EXPECT_THAT(transcript().texts(VexaTranscriptEntry::Kind::kPrompt),
              ElementsAre(L"\nOpen <door>: ", L"\nOpen: ", L"\nOpen: "));
  const auto& requests = host().service<VexaFileDialogHistory>().requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].extensions, L"dwg;dxf");
  EXPECT_EQ(requests[1].flags, 0);
}

TEST_F(ServicesHostTest, ReferencesChosenByTheUserAreAppendedToTheIds) {
  const QvDbObjectId block = addBlock(db(), L"Tree");
  appendEntity(block, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 0)));
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(5, 0, 0)));
  const QvDbObjectId a =
      appendToModelSpace(db(), new QvDbBlockReference(QvGePoint3d(10, 0, 0), block));
  const QvDbObjectId b =
      appendToModelSpace(db(), new QvDbBlockReference(QvGePoint3d(20, 0, 0), block));
  VexaSelectionSets& sets = host().service<VexaSelectionSets>();

  QvDbObjectIdArray ids;
  ids.append(line);  // what the caller held stays, the chosen ones follow
  script(L"ALL\n\n");
  ASSERT_EQ(S::qvedSSGetForRefSet(L"\nSelect trees: ", ids, false), kQvNormal);
  ASSERT_EQ(ids.length(), 3);
  EXPECT_EQ(ids[0], line);
  EXPECT_EQ(ids[1], a);
  EXPECT_EQ(ids[2], b);
  EXPECT_EQ(sets.count(), 0);  // the set it asked for is freed
  EXPECT_EQ(transcript().texts(VexaTranscriptEntry::Kind::kPrompt).front(), L"\nSelect trees: ");

  // Single: the first answer that finds a reference ends it.
  script(L"L\nALL\n");
  QvDbObjectIdArray last;
  ASSERT_EQ(S::qvedSSGetForRefSet(nullptr, last, true), kQvNormal);
  ASSERT_EQ(last.length(), 1);
  EXPECT_EQ(last[0], b);
  EXPECT_EQ(inputScript().linesLeft(), 1);

  // Nothing but a line, nothing at all, a cancel: an error, the ids untouched.
  for (const wchar_t* answers : {L"H %ls\n\n", L"\n", L"^C\n"}) {
    script(QvString::format(answers, line.handle().ascii().c_str()));
    EXPECT_EQ(S::qvedSSGetForRefSet(nullptr, ids, false), kQvError);
    EXPECT_EQ(ids.length(), 3);
  }
  EXPECT_EQ(sets.count(), 0);
}

TEST_F(ServicesHostTest, SelectionOfHiddenAndLockedEntities) {
  const QvDbObjectId frozen =
      addLayer(db(), L"Frozen", [](QvDbLayerTableRecord& l) { l.setIsFrozen(true); });
  const QvDbObjectId locked =
      addLayer(db(), L"Locked", [](QvDbLayerTableRecord& l) { l.setIsLocked(true); });
  auto line = [&](double y, QvDbObjectId layer) {
    auto* made = new QvDbLine(QvGePoint3d(0, y, 0), QvGePoint3d(1, y, 0));
    made->setLayer(layer);
    return appendToModelSpace(db(), made);
  };
  const QvDbObjectId onFrozen = line(0, frozen);
  const QvDbObjectId onLocked = line(1, locked);
  auto chosen = [&](bool hidden, bool lockedToo) {
    script(L"ALL\n\n");
    int64_t set[2] = {0, 0};
    std::vector<QvDbObjectId> ids;
    const int rc = S::QvedSSGetForInvisibleAndLockedLayerEnt(nullptr, set, hidden, lockedToo);
    if (rc != kQvNormal) return std::make_pair(rc, ids);
    VexaSelectSet selection;
    EXPECT_EQ(qvedSSToSelectSet(set, selection), kQvNormal);
    EXPECT_EQ(qvedSSFree(set), kQvNormal);
    ids.assign(selection.begin(), selection.end());
    return std::make_pair(rc, ids);
  };
  EXPECT_EQ(chosen(true, true), std::make_pair(kQvNormal, std::vector{onFrozen, onLocked}));
  EXPECT_EQ(chosen(true, false), std::make_pair(kQvNormal, std::vector{onFrozen}));
  EXPECT_EQ(chosen(false, true), std::make_pair(kQvNormal, std::vector{onLocked}));
  EXPECT_EQ(chosen(false, false).first, kQvNone);
}

TEST(ServicesWithoutHostTest, NothingToReachAnswersAsTheHostWould) {
  QvString text = L"kept";
  EXPECT_EQ(S::lineWeightToString(25, text), kQvError);
  EXPECT_EQ(text, L"kept");
  S::showTextScreen();
  S::SetCurDocumentFileType(kDocFileDxf);
  S::SetVersionForSave(QvDb::kDrawingVersionR2018);
  EXPECT_EQ(GetVexaAppCtxActiveDocData(), nullptr);
  QvString chosen = L"kept";
  EXPECT_EQ(S::GetFilebyDialog(L"Open", L"", L"dwg", 0, chosen), kFileDialogFailed);
  EXPECT_EQ(chosen, L"kept");
  QvDbObjectIdArray ids;
  EXPECT_EQ(S::qvedSSGetForRefSet(nullptr, ids, false), kQvError);
  int64_t set[2] = {0, 0};
  EXPECT_EQ(S::QvedSSGetForInvisibleAndLockedLayerEnt(nullptr, set, true, true), kQvError);
}

}  // namespace
