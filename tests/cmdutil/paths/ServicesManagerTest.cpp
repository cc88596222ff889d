// VexaServicesManager: file names, text files, colours, the file behind an external reference,
// units, the text screen, line-weight texts, the current document's file, the file dialog and
// the selections of references and of hidden or locked entities.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <limits>
#include <string>

#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaFileDialog.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSelectionSets.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

using S = VexaServicesManager;
using testing::ElementsAre;

QvString w(const std::string& utf8) {
  return qvWidenUtf8(utf8);
}

TEST(ServicesManagerTest, FileNamePartsKindsAndRelativeForms) {
  EXPECT_EQ(S::GetFileName(L"C:\\jobs\\site.v2.dwg"), L"site.v2.dwg");
  EXPECT_EQ(S::GetExtension(L"C:\\jobs\\site.v2.dwg"), L".dwg");
  EXPECT_EQ(S::GetExtension(L"C:\\jobs.v1\\site"), L"");
  EXPECT_EQ(S::GetPath(L"C:\\jobs\\site.dwg"), L"C:\\jobs\\");
  EXPECT_TRUE(S::IsAbsoluteName(L"C:\\jobs\\a.dwg"));
  EXPECT_TRUE(S::IsAbsoluteName(L"\\\\nas\\plans\\a.dwg"));
  EXPECT_FALSE(S::IsAbsoluteName(L"C:a.dwg"));
  EXPECT_FALSE(S::IsAbsoluteName(L"jobs\\a.dwg"));
  EXPECT_TRUE(S::IsNameRelativeToRoot(L"\\jobs\\a.dwg"));
  EXPECT_FALSE(S::IsNameRelativeToRoot(L"C:\\jobs\\a.dwg"));
  EXPECT_TRUE(S::IsNameRelativeToUpDir(L"..\\a.dwg"));
  EXPECT_FALSE(S::IsNameRelativeToUpDir(L"..a.dwg"));

  QvString name = L"C:\\jobs\\site\\xrefs\\fence.dwg";
  EXPECT_TRUE(S::convertToRelative(name, L"C:\\jobs\\site\\plan.dwg"));
  EXPECT_EQ(name, L"xrefs\\fence.dwg");
  name = L"C:\\jobs\\fence.dwg";
  EXPECT_TRUE(S::convertToRelative(name, L"c:\\JOBS\\site\\plan.dwg"));
  EXPECT_EQ(name, L"..\\fence.dwg");
  name = L"D:\\fence.dwg";
  EXPECT_FALSE(S::convertToRelative(name, L"C:\\jobs\\plan.dwg"));
  EXPECT_FALSE(S::convertToRelative(name, L"plan.dwg"));
  EXPECT_EQ(name, L"D:\\fence.dwg");
  EXPECT_DOUBLE_EQ(S::AngleToDegree(3.141592653589793 / 2), 90.0);
}

TEST(ServicesManagerTest, TextFilesWithAndWithoutByteOrderMarks) {
  QvString text;
  S::ReadFileContent(
      "\xEF\xBB\xBFStra\xC3\x9F"
      "e",
      10, text);
  EXPECT_EQ(text, L"Stra\u00dfe");
  S::ReadFileContent(
      "\xFF\xFE"
      "A\0\x3D\xD8\x00\xDE",
      8, text);  // "A" and U+1F600, little end
  EXPECT_EQ(text, L"A\U0001F600");
  S::ReadFileContent("\xFE\xFF\0B", 4, text);
  EXPECT_EQ(text, L"B");
  S::ReadFileContent("caf\xE9", 4, text);  // no UTF-8: every byte kept
  EXPECT_EQ(text, L"caf\u00e9");

  TempFolder folder;
  const std::string log = folder.path("log.txt");
  EXPECT_EQ(S::AppendToTextFile(w(log), L"one\n"), kQvNormal);
  EXPECT_EQ(S::AppendToTextFile(w(log), L"zwei \u00fc\n"), kQvNormal);
  EXPECT_EQ(readTextFile(log), "one\nzwei \xC3\xBC\n");
  EXPECT_EQ(S::AppendToTextFile(w(log), L""), kQvError);
  EXPECT_EQ(S::AppendToTextFile(w(folder.path("")), L"x"), kQvError);
  ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(S::AppendToTextFile(w(folder.path("pipe")), L"x"), kQvError);  // does not block
  EXPECT_EQ(S::AppendToTextFile(L"Y:\\unmapped.txt", L"x"), kQvError);

  EXPECT_EQ(S::stdColorIndex(L"Red"), 1);
  EXPECT_EQ(S::stdColorIndex(L"white"), 7);
  EXPECT_EQ(S::stdColorIndex(L"BYLAYER"), 256);
  EXPECT_EQ(S::stdColorIndex(L"ByBlock"), 0);
  EXPECT_EQ(S::stdColorIndex(L"42"), 42);
  EXPECT_EQ(S::stdColorIndex(L"257"), -1);
  EXPECT_EQ(S::stdColorIndex(L"purple"), -1);
  EXPECT_EQ(S::stdColorIndex(nullptr), -1);
}

class XrefLookupTest : public HostFixture {
 protected:
  void setSavePath(const std::string& folder) {
    resbuf rb{};
    rb.type = kRbString;
    const QvString value = w(folder);
    rb.value.string = const_cast<wchar_t*>(value.c_str());
    ASSERT_EQ(qvedSetVar(L"XREFSAVEPATH", &rb), kQvNormal);
  }
  bool lookUp(const QvString& stored, QvString& found) {
    QvDbBlockTableRecord block;
    block.setPathName(stored.c_str());
    return S::getActualXrefFileName(&block, found);
  }
};

TEST_F(XrefLookupTest, TheStoredPathThenTheSavePathFolder) {
  TempFolder here, saved;
  const std::string stored = here.file("fence.dwg", "0\nEOF\n");
  QvString found;
  EXPECT_TRUE(lookUp(w(stored), found));
  EXPECT_EQ(found, w(stored));
  // Without an extension the stored path is tried as a drawing.
  EXPECT_TRUE(lookUp(w(here.path("fence")), found));
  EXPECT_EQ(found, w(stored));

  // Moved away: found in the folder "XREFSAVEPATH" names, with or without its separator.
  saved.file("gate.dxf", "0\nEOF\n");
  found = L"untouched";
  EXPECT_FALSE(lookUp(L"C:\\old\\gate.dxf", found));
  setSavePath(saved.path(""));
  EXPECT_TRUE(lookUp(L"C:\\old\\gate.dxf", found));
  EXPECT_EQ(found.wstr().substr(found.length() - 8), L"gate.dxf");
  setSavePath(saved.path("").substr(0, saved.path("").size() - 1));
  found.empty();
  EXPECT_TRUE(lookUp(L"C:\\old\\gate.dxf", found));
  EXPECT_EQ(found.wstr().substr(found.length() - 8), L"gate.dxf");
  EXPECT_FALSE(lookUp(L"C:\\old\\none.dwg", found));
  EXPECT_FALSE(S::getActualXrefFileName(nullptr, found));
}

class ServicesHostTest : public HostFixture {};

// The unit members follow the current drawing and leave their output alone on failure.
TEST_F(ServicesHostTest, LengthsAndAnglesInTheDrawingsUnits) {
  QvString text;
  ASSERT_EQ(S::FormatLinear(text, 15.5), kQvNormal);
  EXPECT_EQ(text, L"15.5000");
  ASSERT_EQ(setShortVar(L"LUNITS", 4), kQvNormal);
  ASSERT_EQ(setShortVar(L"LUPREC", 4), kQvNormal);
  ASSERT_EQ(S::FormatLinear(text, -15.5), kQvNormal);
  EXPECT_EQ(text, L"-1'-3 1/2\"");
  double value = 0.0;
  ASSERT_EQ(S::UnformatLinear(value, text), kQvNormal);
  EXPECT_DOUBLE_EQ(value, -15.5);
  ASSERT_EQ(S::UnformatAngle(value, L"45d30'"), kQvNormal);
  EXPECT_NEAR(value, 45.5 * 3.141592653589793 / 180.0, 1e-12);

  value = 2.0;
  text = L"keep";
  EXPECT_EQ(S::UnformatLinear(value, L"1'-"), kQvError);
  EXPECT_EQ(S::UnformatAngle(value, L"N 45"), kQvError);
  EXPECT_EQ(S::FormatLinear(text, std::numeric_limits<double>::infinity()), kQvError);
  EXPECT_EQ(value, 2.0);
  EXPECT_EQ(text, L"keep");
}

TEST_F(ServicesHostTest, HeaderVariableConversionsTakeExplicitOrCurrentModes) {
  ASSERT_EQ(setShortVar(L"AUNITS", 2), kQvNormal);
  ASSERT_EQ(setShortVar(L"AUPREC", 1), kQvNormal);
  QvString text;
  ASSERT_EQ(S::vexaConvertAngleToString(3.141592653589793 / 2, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"100.0g");
  ASSERT_EQ(S::vexaConvertAngleToString(3.141592653589793 / 2, 1, 0, text), kQvNormal);
  EXPECT_EQ(text, L"90d");
  ASSERT_EQ(S::vexaConvertRealToString(2.5, 5, 1, text), kQvNormal);
  EXPECT_EQ(text, L"2 1/2");
  double value = 0.0;
  ASSERT_EQ(S::vexaConvertAngleToFloat(L"200", -1, value), kQvNormal);  // grads
  EXPECT_NEAR(value, 3.141592653589793, 1e-12);
  ASSERT_EQ(S::vexaConvertStringToDistance(L"1'6\"", 3, value), kQvNormal);
  EXPECT_DOUBLE_EQ(value, 18.0);
  EXPECT_EQ(S::vexaConvertStringToDistance(L"1'6\"", 2, value), kQvError);
  EXPECT_EQ(S::vexaConvertRealToString(1.0, 2, 12, text), kQvError);
  EXPECT_DOUBLE_EQ(value, 18.0);
  EXPECT_EQ(text, L"2 1/2");
}

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
  using P = QvGePoint3d;
  const QvDbObjectId block = addBlock(db(), L"Tree");
  appendEntity(block, new QvDbLine(P(0, 0, 0), P(1, 1, 0)));
  const QvDbObjectId line = appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(5, 0, 0)));
  const QvDbObjectId a = appendToModelSpace(db(), new QvDbBlockReference(P(10, 0, 0), block));
  const QvDbObjectId b = appendToModelSpace(db(), new QvDbBlockReference(P(20, 0, 0), block));
  VexaSelectionSets& sets = host().service<VexaSelectionSets>();

  QvDbObjectIdArray ids{line};  // what the caller held stays, the chosen ones follow
  script(L"ALL\n\n");
  ASSERT_EQ(S::qvedSSGetForRefSet(L"\nSelect trees: ", ids, false), kQvNormal);
  EXPECT_EQ(ids, (QvDbObjectIdArray{line, a, b}));
  EXPECT_EQ(sets.count(), 0);  // the set it asked for is freed
  EXPECT_EQ(transcript().texts(VexaTranscriptEntry::Kind::kPrompt).front(), L"\nSelect trees: ");

  // Single: the first answer that finds a reference ends it.
  script(L"L\nALL\n");
  QvDbObjectIdArray last;
  ASSERT_EQ(S::qvedSSGetForRefSet(nullptr, last, true), kQvNormal);
  EXPECT_EQ(last, QvDbObjectIdArray{b});
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
