// The inputs fuzzing found the DXF reader wrong on (tests/data/fuzz/dxf): each is refused with
// a finding, the drawing it was read into left as it was, or read; a drawing read is written,
// read again and written to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
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

// The finding of that name read into a new database (null when refused, with `result` saying why).
std::unique_ptr<QvDbDatabase> readFinding(const char* name, QvDxfReadResult& result) {
  return readDxf(readFile((findings() / name).string()), result);
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
    const QvDxfReadResult read = QvDxfFile::readText(readFile(entry.path().string()), *db());
    EXPECT_TRUE(nothingLeftOpen(db())) << name;
    if (!read.ok()) {
      EXPECT_NE(nullptr, read.refusal()) << name;
      EXPECT_EQ(objectsBefore, db()->numObjects()) << name;
      EXPECT_EQ(before, dxfText(*db())) << name << ": the refused file changed the drawing";
      continue;
    }
    const std::string first = dxfText(*db());
    QvDxfReadResult reread;
    const std::unique_ptr<QvDbDatabase> again = readDxf(first, reread);
    ASSERT_TRUE(again) << name << ": " << reread.message();
    EXPECT_EQ(first, dxfText(*again)) << name << ": written differently after reading again";
  }
  EXPECT_GT(files, 0);
}

TEST_F(DxfFuzzFindingsTest, HatchEdgeAnglesAreWrittenOnAGridThatReadsBackToThemselves) {
  // A clockwise ellipse edge from 180 to 360 degrees: through radians and ellipse parameters
  // its end came back as 359.99999999999994, then 359.9999999999999, one step each round.
  QvDxfReadResult result;
  std::unique_ptr<QvDbDatabase> read = readFinding("hatch_clockwise_ellipse_edge.dxf", result);
  ASSERT_TRUE(read) << result.message();
  std::string written = dxfText(*read);
  const DxfGroups hatch = recordOf(groupsOf(written), "30");
  ASSERT_FALSE(hatch.empty());
  std::vector<std::string> angles = valuesOf(hatch, 50);
  for (const std::string& end : valuesOf(hatch, 51)) angles.push_back(end);
  EXPECT_EQ(angles, (std::vector<std::string>{"180.0", "360.0"}));
  for (int round = 0; round < 3; ++round) {
    read = readDxf(written, result);
    ASSERT_TRUE(read) << result.message();
    EXPECT_EQ(written, dxfText(*read)) << "round " << round;
  }
}

TEST_F(DxfFuzzFindingsTest, ARecordKeptAsProxyIsWrittenWithItsMarkersAndRepeatedGroupsAsRead) {
  // A spline whose data make no spline: its own marker was lost, and its second, empty layer
  // group was written with the layer's name.
  QvDxfReadResult result;
  const std::unique_ptr<QvDbDatabase> read =
      readFinding("spline_kept_as_proxy_repeats_its_layer.dxf", result);
  ASSERT_TRUE(read) << result.message();
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
  const std::unique_ptr<QvDbDatabase> read =
      readFinding("header_names_its_current_layer_twice.dxf", result);
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
  const std::string text =
      readFile((findings() / "hatch_ellipse_edge_wider_than_long.dxf").string());
  QvDxfReadResult result;
  EXPECT_FALSE(readDxf(text, result));
  ASSERT_NE(nullptr, result.refusal());
  EXPECT_EQ(QvDxfDiagnostic::kRefusedValue, result.refusal()->code);
  EXPECT_EQ(lineOf(text, "1e20"), result.refusal()->line);
}

TEST_F(DxfFuzzFindingsTest, ASectionOfRecordsStartingWithAnotherGroupIsRefusedThere) {
  // Group 1 "SECTION" opened the second ENTITIES section: it was read as a record named
  // SECTION, kept, and written as "0 SECTION", which the writer's own file then refused.
  const std::string text =
      readFile((findings() / "second_entities_section_starts_with_a_group_1_section.dxf").string());
  QvDxfReadResult result;
  EXPECT_FALSE(readDxf(text, result));
  ASSERT_NE(nullptr, result.refusal());
  EXPECT_EQ(QvDxfDiagnostic::kMisplaced, result.refusal()->code);
  EXPECT_EQ(lineOf(text, " 01"), result.refusal()->line);

  const std::string objects =
      "  0\nSECTION\n  2\nOBJECTS\n  5\nC\n  0\nDICTIONARY\n  5\nC\n  0\nENDSEC\n  0\nEOF\n";
  EXPECT_FALSE(readDxf(objects, result));
  ASSERT_NE(nullptr, result.refusal());
  EXPECT_EQ(QvDxfDiagnostic::kMisplaced, result.refusal()->code);
  EXPECT_EQ(5u, result.refusal()->line);
}

TEST_F(DxfFuzzFindingsTest, RecordAndClassNamesHoldingControlCharactersAreWrittenInCaretNotation) {
  // "^J" in a record's name is read as a line feed; written as it was decoded, it broke the
  // record in two lines, and the class listed for it was written a second time the same way.
  QvDxfReadResult result;
  const std::unique_ptr<QvDbDatabase> read =
      readFinding("record_names_with_caret_line_feeds.dxf", result);
  ASSERT_TRUE(read) << result.message();
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
