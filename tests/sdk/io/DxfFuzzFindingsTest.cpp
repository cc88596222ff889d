// Malformed files and the inputs fuzzing found the reader wrong on: each is refused with a line
// and the drawing left as it was, or read, written and read back to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TestPaths.h"

namespace {

std::filesystem::path findings() {
  return std::filesystem::path(testDataDir()) / "fuzz" / "dxf";
}

// The text of the finding of that name.
std::string finding(const char* name) {
  return readTextFile((findings() / name).string());
}

}  // namespace

class DxfFuzzFindingsTest : public HostFixture {};

TEST_F(DxfFuzzFindingsTest, EachFindingIsRefusedOrReadWrittenAndReadBackAlike) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(findings())) {
    const std::string name = entry.path().filename().string();
    ++files;
    const std::string before = dxfText(*db());
    const int objectsBefore = db()->numObjects();
    const QvDxfReadResult read = QvDxfFile::readText(readTextFile(entry.path().string()), *db());
    EXPECT_TRUE(nothingLeftOpen(db())) << name;
    if (!read.ok()) {
      EXPECT_NE(nullptr, read.refusal()) << name;
      EXPECT_EQ(objectsBefore, db()->numObjects()) << name;
      EXPECT_EQ(before, dxfText(*db())) << name << ": the refused file changed the drawing";
      continue;
    }
    EXPECT_TRUE(readsBackAlike(dxfText(*db()))) << name;
  }
  EXPECT_GT(files, 0);
}

TEST_F(DxfFuzzFindingsTest, HatchEdgeAnglesAreWrittenOnAGridThatReadsBackToThemselves) {
  // A clockwise ellipse edge from 180 to 360 degrees: through radians and ellipse parameters
  // its end came back as 359.99999999999994, then 359.9999999999999, one step each round.
  std::unique_ptr<QvDbDatabase> read = readDxf(finding("hatch_clockwise_ellipse_edge.dxf"));
  ASSERT_TRUE(read);
  std::string written = dxfText(*read);
  const DxfGroups hatch = recordOf(groupsOf(written), "30");
  ASSERT_FALSE(hatch.empty());
  std::vector<std::string> angles = valuesOf(hatch, 50);
  for (const std::string& end : valuesOf(hatch, 51)) angles.push_back(end);
  EXPECT_EQ(angles, (std::vector<std::string>{"180.0", "360.0"}));
  for (int round = 0; round < 3; ++round) {
    read = readDxf(written);
    ASSERT_TRUE(read);
    EXPECT_EQ(written, dxfText(*read)) << "round " << round;
  }
}

TEST_F(DxfFuzzFindingsTest, ARecordKeptAsProxyIsWrittenWithItsMarkersAndRepeatedGroupsAsRead) {
  // A spline whose data make no spline: its own marker was lost, and its second, empty layer
  // group was written with the layer's name.
  const auto read = readDxf(finding("spline_kept_as_proxy_repeats_its_layer.dxf"));
  ASSERT_TRUE(read);
  const DxfGroups spline = recordOf(groupsOf(dxfText(*read)), "30");
  ASSERT_FALSE(spline.empty());
  EXPECT_EQ(valuesOf(spline, 100), (std::vector<std::string>{"AcDbEntity", "AcDbSpline"}));
  EXPECT_EQ(valuesOf(spline, 8), (std::vector<std::string>{"0", ""}));
  EXPECT_EQ(valuesOf(spline, 71), (std::vector<std::string>{"3"}));
}

TEST_F(DxfFuzzFindingsTest, ACurrentLayerNamedTwiceIsTheLastAndIsWrittenOnceAsRead) {
  // The second name is no layer: the standard one is current and the variable is written back
  // as the file had it last, in the place of the first.
  QvDxfReadResult result;
  const auto read = readDxf(finding("header_names_its_current_layer_twice.dxf"), result);
  ASSERT_TRUE(read) << result.message();
  EXPECT_EQ(std::vector<QvDxfDiagnostic::Code>{QvDxfDiagnostic::kCurrentRecordReplaced},
            codesOf(result));
  const DxfGroups written = groupsOf(dxfText(*read));
  size_t variables = 0;
  for (size_t i = 0; i + 1 < written.size(); ++i) {
    if (written[i] != DxfGroups::value_type{9, "$CLAYER"}) continue;
    ++variables;
    EXPECT_EQ((DxfGroups::value_type{8, "*"}), written[i + 1]);
  }
  EXPECT_EQ(1u, variables);
}

TEST_F(DxfFuzzFindingsTest, AnEllipseEdgeWiderThanLongIsRefusedAtItsRatio) {
  const std::string text = finding("hatch_ellipse_edge_wider_than_long.dxf");
  EXPECT_TRUE(refusedAt(text, QvDxfDiagnostic::kRefusedValue, lineOf(text, "1e20")));
}

TEST_F(DxfFuzzFindingsTest, ASectionOfRecordsStartingWithAnotherGroupIsRefusedThere) {
  // Group 1 "SECTION" opened the second ENTITIES section: it was read as a record named
  // SECTION, kept, and written as "0 SECTION", which the writer's own file then refused.
  const std::string text = finding("second_entities_section_starts_with_a_group_1_section.dxf");
  EXPECT_TRUE(refusedAt(text, QvDxfDiagnostic::kMisplaced, lineOf(text, " 01")));
  const std::string objects =
      "  0\nSECTION\n  2\nOBJECTS\n  5\nC\n  0\nDICTIONARY\n  5\nC\n  0\nENDSEC\n  0\nEOF\n";
  EXPECT_TRUE(refusedAt(objects, QvDxfDiagnostic::kMisplaced, 5));
}

TEST_F(DxfFuzzFindingsTest, RecordAndClassNamesHoldingControlCharactersAreWrittenInCaretNotation) {
  // "^J" in a record's name is read as a line feed; written as it was decoded, it broke the
  // record in two lines, and the class listed for it was written a second time the same way.
  const auto read = readDxf(finding("record_names_with_caret_line_feeds.dxf"));
  ASSERT_TRUE(read);
  const DxfGroups written = groupsOf(dxfText(*read));
  int classes = 0;
  for (size_t i = 0; i + 1 < written.size(); ++i)
    if (written[i] == DxfGroups::value_type{0, "CLASS"} && written[i + 1].second == "THING^JX")
      ++classes;
  EXPECT_EQ(1, classes);
  for (const char* name : {"THING^JX", "END^JMARK", "BAG^JX"})
    EXPECT_NE(written.end(),
              std::find(written.begin(), written.end(), DxfGroups::value_type{0, name}))
        << name;
}

namespace {

using D = QvDxfDiagnostic;

// Every file of tests/data/dxf/malformed with the code of its refusal.
const std::map<std::string, D::Code>& expectations() {
  static const std::map<std::string, D::Code> table = {
      {"truncated.dxf", D::kCutShort},
      {"no_end_marker.dxf", D::kCutShort},
      {"code_without_value.dxf", D::kCutShort},
      {"empty.dxf", D::kEmptyFile},
      {"garbage.txt", D::kNotAGroupCode},
      {"drawing.dwg", D::kNotDxfText},
      {"binary.dxf", D::kNotDxfText},
      {"nul_byte.dxf", D::kNotDxfText},
      {"not_a_group_code.dxf", D::kNotAGroupCode},
      {"unknown_group_code.dxf", D::kUnknownGroupCode},
      {"bad_real.dxf", D::kBadValue},
      {"nan_real.dxf", D::kBadValue},
      {"absurd_integer.dxf", D::kOutOfRange},
      {"handle_too_long.dxf", D::kBadHandle},
      {"unknown_version.dxf", D::kBadVersion},
      {"unclosed_section.dxf", D::kNotClosed},
      {"unclosed_table.dxf", D::kNotClosed},
      {"unclosed_block.dxf", D::kNotClosed},
      {"unclosed_reactors.dxf", D::kNotClosed},
      {"xdata_point_without_y.dxf", D::kMissingGroup},
      {"entity_outside_section.dxf", D::kMisplaced},
      {"duplicate_layer_name.dxf", D::kNameUsedTwice},
  };
  return table;
}

}  // namespace

class DxfMalformedTest : public HostFixture {};

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
    EXPECT_EQ(Vexa::eBadDxfFile, result.status) << name << ": " << message;
    ASSERT_NE(nullptr, result.refusal()) << name;
    EXPECT_EQ(expected->second, result.refusal()->code) << name << ": " << message;
    // Only what is no line's (an empty file, a file too large) is refused without a line.
    EXPECT_EQ(expected->second == D::kEmptyFile, result.refusal()->line == 0)
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

namespace {

struct Repeat {
  const char* before;  // the records' groups up to the repeated pair (see barGroups)
  const char* after;   // and after it
  int code;
  const char* first;  // the default value, the one read
  const char* second;
  bool inR12;  // the entity exists in R12 files
};

constexpr const char* kInsert =
    "0|INSERT|5|30|@AcDbEntity|8|0|@AcDbBlockReference|2|B|10|1.0|20|2.0";
constexpr const char* kText = "0|TEXT|5|30|@AcDbEntity|8|0|@AcDbText|10|1.0|20|2.0|40|2.5|1|Door";
constexpr const char* kPolyline = "0|LWPOLYLINE|5|30|@AcDbEntity|8|0|@AcDbPolyline|90|2|70|0";
constexpr const char* kPolylineVertices = "10|0.0|20|0.0|10|4.0|20|0.0";
constexpr const char* kVertex =
    "0|POLYLINE|5|2F|@AcDbEntity|8|0|@AcDb2dPolyline|66|1|10|0.0|20|0.0|30|0.0|70|0|"
    "0|VERTEX|5|30|@AcDbEntity|8|0|@AcDbVertex|@AcDb2dVertex|10|0.0|20|0.0|30|0.0";
constexpr const char* kVertexRest =
    "70|0|0|VERTEX|5|31|@AcDbEntity|8|0|@AcDbVertex|@AcDb2dVertex|10|4.0|20|0.0|30|0.0|70|0|"
    "0|SEQEND|5|32|@AcDbEntity|8|0";

// The record of handle 30 repeats a group whose first value is the default.
constexpr Repeat kRepeats[] = {
    {kInsert, "", 41, "1.0", "2.0", true},
    {kInsert, "", 43, "1.0", "-3.0", true},
    {kInsert, "", 50, "0.0", "30.0", true},
    {kText, "", 39, "0.0", "4.0", true},
    {kText, "", 41, "1.0", "0.5", true},
    {kText, "", 51, "0.0", "15.0", true},
    {kText, "@AcDbText", 72, "0", "2", true},
    {"0|SHAPE|5|30|@AcDbEntity|8|0|@AcDbShape|10|1.0|20|2.0|40|1.0|2|S", "", 50, "0.0", "45.0",
     true},
    {"0|ATTDEF|5|30|@AcDbEntity|8|0|@AcDbText|10|0.0|20|0.0|40|1.0|1|v|@AcDbAttributeDefinition|"
     "3|Prompt|2|TAG|70|0",
     "", 73, "0", "8", true},
    {kVertex, kVertexRest, 42, "0.0", "0.5", true},
    {kPolyline, kPolylineVertices, 38, "0.0", "7.0", false},
    {kPolyline, kPolylineVertices, 43, "0.0", "0.25", false},
};

// "0|LINE|5|30|@AcDbEntity|8|0" as groups: codes and values alternate; "@Name" is a subclass
// marker (100), left out of files without markers.
std::string barGroups(const std::string& bars, bool markers) {
  std::istringstream in(bars);
  std::string part;
  std::string text;
  while (std::getline(in, part, '|')) {
    if (part.empty()) continue;
    if (part[0] == '@') {
      if (markers) text += "100\n" + part.substr(1) + "\n";
      continue;
    }
    std::string value;
    std::getline(in, value, '|');
    text += part + "\n" + value + "\n";
  }
  return text;
}

// A file of `version` with an empty block "B" and `entities`.
std::string drawing(const std::string& version, const std::string& entities) {
  return barGroups("0|SECTION|2|HEADER|9|$ACADVER|1|" + version +
                       "|0|ENDSEC|0|SECTION|2|BLOCKS|0|BLOCK|8|0|2|B|70|0|10|0.0|20|0.0|30|0.0|"
                       "3|B|0|ENDBLK|0|ENDSEC|0|SECTION|2|ENTITIES",
                   false) +
         entities + "0\nENDSEC\n0\nEOF\n";
}

// Reads the record with the repeat, writes it and reads that again.
void checkRepeat(const Repeat& r, bool markers) {
  const std::string code = std::to_string(r.code);
  const std::string pair = code + "\n" + r.first + "\n" + code + "\n" + r.second + "\n";
  const std::string entities = barGroups(r.before, markers) + pair + barGroups(r.after, markers);
  SCOPED_TRACE((markers ? "R2000\n" : "R12\n") + entities);
  QvDxfReadResult result;
  const std::unique_ptr<QvDbDatabase> read =
      readDxf(drawing(markers ? "AC1015" : "AC1009", entities), result);
  ASSERT_TRUE(read) << result.message();
  const std::string written = dxfText(*read);
  const std::vector<std::string> values = valuesOf(recordOf(groupsOf(written), "30"), r.code);
  ASSERT_EQ(2u, values.size());
  EXPECT_EQ(std::stod(r.first), std::stod(values[0])) << "the value read comes first";
  EXPECT_EQ(std::stod(r.second), std::stod(values[1])) << "the repeat is kept";
  EXPECT_TRUE(readsBackAlike(written));
}

}  // namespace

class DxfRepeatedGroupsTest : public HostFixture {};

TEST_F(DxfRepeatedGroupsTest, ADefaultReadBeforeARepeatIsWrittenAheadOfItAndReadAgainAsItWas) {
  for (const bool markers : {true, false})
    for (const Repeat& r : kRepeats)
      if (markers || r.inR12) checkRepeat(r, markers);
}
