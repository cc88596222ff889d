// Files that are not sound drawings are refused with a status and a message that says what and
// where, and the database they were read into stays as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "tests/sdk/io/DxfTestRecords.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

namespace {

struct Expectation {
  Vexa::ErrorStatus status;
  const char* says;  // a piece of the message
};

// Every file of tests/data/dxf/malformed with what its refusal must say.
const std::map<std::string, Expectation>& expectations() {
  static const std::map<std::string, Expectation> table = {
      {"truncated.dxf", {Vexa::eBadDxfFile, "cut short"}},
      {"no_end_marker.dxf", {Vexa::eBadDxfFile, "end marker"}},
      {"code_without_value.dxf", {Vexa::eBadDxfFile, "cut short"}},
      {"empty.dxf", {Vexa::eBadDxfFile, "empty"}},
      {"garbage.txt",
       {Vexa::eBadDxfFile, "line 1: \"This is not a drawing.\" is not a group code"}},
      {"drawing.dwg", {Vexa::eBadDxfFile, "binary DWG drawing"}},
      {"binary.dxf", {Vexa::eBadDxfFile, "binary DXF"}},
      {"nul_byte.dxf", {Vexa::eBadDxfFile, "binary data"}},
      {"not_a_group_code.dxf", {Vexa::eBadDxfFile, "\"abc\" is not a group code"}},
      {"unknown_group_code.dxf", {Vexa::eBadDxfFile, "group code 5000 does not exist"}},
      {"bad_real.dxf", {Vexa::eBadDxfFile, "must be a finite real number, not \"1.2.3\""}},
      {"nan_real.dxf", {Vexa::eBadDxfFile, "must be a finite real number, not \"nan\""}},
      {"absurd_integer.dxf", {Vexa::eBadDxfFile, "99999999999"}},
      {"duplicate_handle.dxf", {Vexa::eBadDxfFile, "is used twice"}},
      {"handle_too_long.dxf", {Vexa::eBadDxfFile, "\"12345678901234567\" is not a handle"}},
      {"dangling_owner.dxf", {Vexa::eBadDxfFile, "the handle FFFFF refers to no object"}},
      {"dangling_dictionary_entry.dxf",
       {Vexa::eBadDxfFile, "the handle FFFFE refers to no object"}},
      {"header_out_of_range.dxf", {Vexa::eBadDxfFile, "$INSUNITS is out of range"}},
      {"unknown_version.dxf", {Vexa::eBadDxfFile, "AC2099"}},
      {"unclosed_section.dxf", {Vexa::eBadDxfFile, "section ENTITIES is not closed"}},
      {"unclosed_table.dxf", {Vexa::eBadDxfFile, "table is not closed"}},
      {"unclosed_block.dxf", {Vexa::eBadDxfFile, "is not closed (0 ENDBLK)"}},
      {"unclosed_reactors.dxf", {Vexa::eBadDxfFile, "is not closed by \"}\""}},
      {"xdata_point_without_y.dxf",
       {Vexa::eBadDxfFile, "group 1010 is not followed by its group 1020"}},
      {"entity_outside_section.dxf",
       {Vexa::eBadDxfFile, "a section (0 SECTION) should start here"}},
      {"duplicate_layer_name.dxf",
       {Vexa::eBadDxfFile, "\"Walls\" is used twice in the LAYER table"}},
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
  const QvDbObjectId marker = [&] {
    QvDbLayerTable* table = nullptr;
    EXPECT_EQ(Vexa::eOk, db()->getLayerTable(table, QvDb::kForWrite));
    auto* layer = new QvDbLayerTableRecord();
    layer->setName(L"Before reading");
    QvDbObjectId id;
    EXPECT_EQ(Vexa::eOk, table->add(id, layer));
    layer->close();
    table->close();
    return id;
  }();
  const int objectsBefore = db()->numObjects();
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dxfDataPath("malformed"))) {
    const std::string name = entry.path().filename().string();
    const auto expected = expectations().find(name);
    ASSERT_NE(expected, expectations().end()) << name << " has no expectation in this test";
    ++files;
    const Vexa::ErrorStatus status = db()->readDwgFile(QvString(entry.path().string().c_str()));
    const std::string message = db()->fileMessage().utf8();
    EXPECT_EQ(expected->second.status, status) << name << ": " << message;
    if (std::getenv("TARVO_SHOW_MESSAGES")) std::cout << name << ": " << message << "\n";
    EXPECT_NE(std::string::npos, message.find(expected->second.says))
        << name << ": \"" << message << "\" does not say \"" << expected->second.says << "\"";
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
  EXPECT_NE(-1, db()->fileMessage().find(L"does not exist"));
  EXPECT_EQ(Vexa::eFileAccessError, db()->readDwgFile(QvString(folder.path("").c_str())));
  EXPECT_EQ(Vexa::eInvalidInput, db()->readDwgFile(L""));
}
