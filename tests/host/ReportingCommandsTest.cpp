// Commands that report and convert from a script: PATHINFO, CVDIST, RTOS, ANGTOS, WCMATCH,
// and the answers LWEIGHT, SAVEFORMAT, BLOCKPIC and REFLIST refuse (their accepted answers run
// end to end in examples/services.script).
#include <gtest/gtest.h>

#include "sdk/app/VexaDocData.h"
#include "sdk/db/QvDbCircle.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"

namespace {

using PathAndDistanceCommandsTest = CommandModuleFixture;
using UnitsCommandsTest = CommandModuleFixture;
using ServicesCommandsTest = CommandModuleFixture;

TEST_F(PathAndDistanceCommandsTest, PathInfoShowsPartsArgumentsAndTheRelativeForm) {
  const auto summary =
      run(L"PATHINFO\n\"C:\\Program Files\\Tarvo\\tarvo.exe\" /a \"x y\" -b z\nc:\\program files\n"
          L"PATHINFO\nplans/site.v2.dxf\nD:\\jobs\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains(
      {"Drive: C:", "Directory: \\Program Files\\Tarvo\\", "File title: tarvo", "Extension: exe",
       "Local: yes  Relative: no  File: yes", "Arguments: 2", "name \"a\" value \"x y\"",
       "name \"b\" value \"z\"", "Relative: Tarvo\\tarvo.exe", "File title: site.v2",
       "Local: no  Relative: yes  File: yes", "Absolute: D:\\jobs\\plans\\site.v2.dxf"}));
}

TEST_F(PathAndDistanceCommandsTest, DistancesArePrintedOrRefused) {
  const auto summary =
      run(L"CVDIST\n1'-6 1/2\"\nCVDIST\n-1.5e3\nCVDIST\n2x\nCVDIST\n1/0\nCVDIST\n1e400\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains(
      {"Distance: 18.5", "Distance: -1500", "Distance: 2\n", "Not a distance.", "out of range"}));
}

TEST_F(UnitsCommandsTest, LengthsReadInTheCurrentUnitsAndWrittenInEveryMode) {
  const auto summary =
      run(L"SETVAR\nLUNITS\n4\nSETVAR\nLUPREC\n3\n"
          L"RTOS\n1'-3 1/2\"\nRTOS\n1'-\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains({"Scientific     1.550E+01\n", "Decimal        15.500\n",
                        "Engineering    1'-3.500\"\n", "Architectural  1'-3 1/2\"   (current)",
                        "Fractional     15 1/2", "Not a length in the current units (LUNITS 4)."}));
}

TEST_F(UnitsCommandsTest, AnglesReadInTheCurrentUnitsAndWrittenInEveryMode) {
  const auto summary = run(L"SETVAR\nAUPREC\n4\nANGTOS\nN 45d E\nANGTOS\n45d30'\nANGTOS\nNE\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(
      contains({"Degrees        45.0000   (current)", "Deg/min/sec    45d0'0\"\n",
                "Grads          50.0000g", "Radians        0.7854r", "Surveyor       N 45d0'0\" E",
                "Surveyor       N 44d30'0\" E", "Not an angle in the current units (AUNITS 0)."}));
}

TEST_F(UnitsCommandsTest, WildcardMatchesWithAndWithoutCase) {
  const auto summary =
      run(L"WCMATCH\nDoor-12\nDOOR-##\nNo\nWCMATCH\nDoor-12\nDOOR-##\nYes\n"
          L"WCMATCH\nWIN 3\n\\~WIN*,DOOR*\n\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  const std::string t = transcript();
  const size_t first = t.find("Does not match.");
  ASSERT_NE(first, std::string::npos) << t;
  const size_t second = t.find("Matches.", first);
  ASSERT_NE(second, std::string::npos) << t;
  EXPECT_NE(t.find("Does not match.", second), std::string::npos) << t;
}

TEST_F(ServicesCommandsTest, RefusedLineWeightsAndSaveVersionsAreSaid) {
  const auto summary =
      run(L"LWEIGHT\n26\nSAVEFORMAT\nDxf\n33\nSAVEFORMAT\ndwt\n27\nSAVEFORMAT\n\n\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  // The file type kept from the second.
  EXPECT_TRUE(
      contains({"26 is not a standard line weight.", "Version 27 cannot be written; it stays 33.",
                "File type [Dwg/Dxf/Dwt] <Dwt>:"}));
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->fileType, kDocFileDwt);
}

// REFLIST with nothing selected ends quietly (done); the refused pictures fail.
TEST_F(ServicesCommandsTest, PicturesOfUnknownBlocksOrIntoMissingFoldersAreRefused) {
  const QvDbObjectId tree = addBlock(db(), L"Tree");
  appendEntity(tree, new QvDbCircle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 2));
  TempFolder folder;
  const auto summary = run(QvString(L"BLOCKPIC\nShrub\nBLOCKPIC\nTree\n") +
                           QvString(folder.path("missing/x.svg").c_str()) + L"\n\nREFLIST\n\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(
      contains({"Block \"Shrub\" not found.", "Cannot write", "No block references selected."}));
}

}  // namespace
