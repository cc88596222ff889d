// VexaServicesManager: the text screen, line-weight texts and the current document's file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "sdk/app/VexaDocData.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDatabase.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

using S = VexaServicesManager;

class ServicesHostTest : public HostFixture {};

TEST_F(ServicesHostTest, TextScreenIsShownInTheTranscript) {
  S::showTextScreen();
  S::showTextScreen();
  EXPECT_EQ(transcript().textScreens(), 2);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0], VexaTranscript::kTextScreenText);
}

TEST_F(ServicesHostTest, EveryStandardLineWeightAndTheSpecialValues) {
  const struct {
    int weight;
    const wchar_t* text;
  } rows[] = {{0, L"0.00 mm"},   {5, L"0.05 mm"},   {9, L"0.09 mm"},   {13, L"0.13 mm"},
              {15, L"0.15 mm"},  {18, L"0.18 mm"},  {20, L"0.20 mm"},  {25, L"0.25 mm"},
              {30, L"0.30 mm"},  {35, L"0.35 mm"},  {40, L"0.40 mm"},  {50, L"0.50 mm"},
              {53, L"0.53 mm"},  {60, L"0.60 mm"},  {70, L"0.70 mm"},  {80, L"0.80 mm"},
              {90, L"0.90 mm"},  {100, L"1.00 mm"}, {106, L"1.06 mm"}, {120, L"1.20 mm"},
              {140, L"1.40 mm"}, {158, L"1.58 mm"}, {200, L"2.00 mm"}, {211, L"2.11 mm"},
              {-1, L"ByLayer"},  {-2, L"ByBlock"},  {-3, L"Default"}};
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
  std::ifstream in(path, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(content.find("AC1032"), std::string::npos);
}

TEST(ServicesWithoutHostTest, NothingToReachAnswersAsTheHostWould) {
  QvString text = L"kept";
  EXPECT_EQ(S::lineWeightToString(25, text), kQvError);
  EXPECT_EQ(text, L"kept");
  S::showTextScreen();
  S::SetCurDocumentFileType(kDocFileDxf);
  S::SetVersionForSave(QvDb::kDrawingVersionR2018);
  EXPECT_EQ(GetVexaAppCtxActiveDocData(), nullptr);
}

}  // namespace
