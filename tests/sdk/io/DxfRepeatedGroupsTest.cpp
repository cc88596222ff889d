// A record that repeats a group: the reader takes the first and keeps the repeat, so when the
// first holds the default value the writer must still write it ahead of the repeat, or reading
// the written file would take the repeat instead.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sdk/db/QvDbDatabase.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/HostFixture.h"

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
  const std::unique_ptr<QvDbDatabase> again = readDxf(written, result);
  ASSERT_TRUE(again) << result.message();
  EXPECT_EQ(written, dxfText(*again));
}

}  // namespace

class DxfRepeatedGroupsTest : public HostFixture {};

TEST_F(DxfRepeatedGroupsTest, ADefaultReadBeforeARepeatIsWrittenAheadOfItAndReadAgainAsItWas) {
  for (const bool markers : {true, false})
    for (const Repeat& r : kRepeats)
      if (markers || r.inR12) checkRepeat(r, markers);
}
