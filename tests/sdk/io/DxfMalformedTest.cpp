// Files that are not sound drawings are refused with a status and a finding that says what and
// where, and the database they were read into stays as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/sdk/io/DxfTestRecords.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

namespace {

using D = QvDxfDiagnostic;

struct Expectation {
  Vexa::ErrorStatus status;
  QvDxfDiagnostic::Code code;
};

// Every file of tests/data/dxf/malformed with what its refusal must say.
const std::map<std::string, Expectation>& expectations() {
  static const std::map<std::string, Expectation> table = {
      {"truncated.dxf", {Vexa::eBadDxfFile, D::kCutShort}},
      {"no_end_marker.dxf", {Vexa::eBadDxfFile, D::kCutShort}},
      {"code_without_value.dxf", {Vexa::eBadDxfFile, D::kCutShort}},
      {"empty.dxf", {Vexa::eBadDxfFile, D::kEmptyFile}},
      {"garbage.txt", {Vexa::eBadDxfFile, D::kNotAGroupCode}},
      {"drawing.dwg", {Vexa::eBadDxfFile, D::kNotDxfText}},
      {"binary.dxf", {Vexa::eBadDxfFile, D::kNotDxfText}},
      {"nul_byte.dxf", {Vexa::eBadDxfFile, D::kNotDxfText}},
      {"not_a_group_code.dxf", {Vexa::eBadDxfFile, D::kNotAGroupCode}},
      {"unknown_group_code.dxf", {Vexa::eBadDxfFile, D::kUnknownGroupCode}},
      {"bad_real.dxf", {Vexa::eBadDxfFile, D::kBadValue}},
      {"nan_real.dxf", {Vexa::eBadDxfFile, D::kBadValue}},
      {"absurd_integer.dxf", {Vexa::eBadDxfFile, D::kOutOfRange}},
      {"handle_too_long.dxf", {Vexa::eBadDxfFile, D::kBadHandle}},
      {"unknown_version.dxf", {Vexa::eBadDxfFile, D::kBadVersion}},
      {"unclosed_section.dxf", {Vexa::eBadDxfFile, D::kNotClosed}},
      {"unclosed_table.dxf", {Vexa::eBadDxfFile, D::kNotClosed}},
      {"unclosed_block.dxf", {Vexa::eBadDxfFile, D::kNotClosed}},
      {"unclosed_reactors.dxf", {Vexa::eBadDxfFile, D::kNotClosed}},
      {"xdata_point_without_y.dxf", {Vexa::eBadDxfFile, D::kMissingGroup}},
      {"entity_outside_section.dxf", {Vexa::eBadDxfFile, D::kMisplaced}},
      {"duplicate_layer_name.dxf", {Vexa::eBadDxfFile, D::kNameUsedTwice}},
  };
  return table;
}

}  // namespace

class DxfMalformedTest : public HostFixture {};

TEST_F(DxfMalformedTest, TheSoundDrawingIsRead) {
  ASSERT_EQ(Vexa::eOk, db()->readDwgFile(QvString(dxfDataPath("sound_r2018.dxf").c_str())))
      << db()->fileMessage();
  EXPECT_FALSE(layerNamed(db(), L"Walls").isNull());
}

TEST_F(DxfMalformedTest, EveryMalformedFileIsRefusedAndTheDrawingStaysAsItWas) {
  const QvDbObjectId marker = addLayer(db(), L"Before reading");
  ASSERT_FALSE(marker.isNull());
  const int objectsBefore = db()->numObjects();
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dxfDataPath("malformed"))) {
    const std::string name = entry.path().filename().string();
    const auto expected = expectations().find(name);
    ASSERT_NE(expected, expectations().end()) << name << " has no expectation in this test";
    ++files;
    const QvDxfReadResult result =
        QvDxfFile::readFile(QvString(entry.path().string().c_str()), *db());
    const std::string message = result.message().utf8();
    EXPECT_EQ(expected->second.status, result.status) << name << ": " << message;
    if (std::getenv("TARVO_SHOW_MESSAGES")) std::cout << name << ": " << message << "\n";
    ASSERT_NE(nullptr, result.refusal()) << name;
    EXPECT_EQ(expected->second.code, result.refusal()->code) << name << ": " << message;
    // Only what is no line's (an empty file, a file too large) is refused without a line.
    EXPECT_EQ(expected->second.code == D::kEmptyFile, result.refusal()->line == 0)
        << name << ": " << message;
    EXPECT_NE(std::string::npos, message.find(name)) << name << ": " << message;
    EXPECT_EQ(marker, layerNamed(db(), L"Before reading")) << name;
    EXPECT_EQ(objectsBefore, db()->numObjects()) << name;
    EXPECT_TRUE(nothingLeftOpen(db())) << name;
  }
  EXPECT_EQ(expectations().size(), static_cast<size_t>(files));
}

TEST_F(DxfMalformedTest, MissingFilesAndFoldersAreAccessErrors) {
  TempFolder folder;
  EXPECT_EQ(Vexa::eFileNotFound, db()->readDwgFile(QvString(folder.path("none.dxf").c_str())));
  const QvDxfReadResult missing =
      QvDxfFile::readFile(QvString(folder.path("none.dxf").c_str()), *db());
  ASSERT_NE(nullptr, missing.refusal());
  EXPECT_EQ(D::kCannotReadFile, missing.refusal()->code);
  EXPECT_EQ(db()->fileMessage(), missing.message());
  EXPECT_EQ(Vexa::eFileAccessError, db()->readDwgFile(QvString(folder.path("").c_str())));
  EXPECT_EQ(Vexa::eInvalidInput, db()->readDwgFile(L""));
}
