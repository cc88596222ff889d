// Extended data and the data of extended records go through one codec: the same groups are read
// alike in both (a point needs its y, a lone coordinate stays one value, hexadecimal in either
// case) and written back so that they read again the same; only the room of a binary chunk
// differs, as the database holds it (127 bytes in extended data).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbXrecord.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

namespace {

// A drawing with an extended record (handle D) holding `recordData` and a line (handle E) with
// the extended data `lineData` of an application.
std::string drawing(const std::string& recordData, const std::string& lineData) {
  return "0\nSECTION\n2\nOBJECTS\n0\nDICTIONARY\n5\nC\n0\nXRECORD\n5\nD\n330\nC\n100\n"
         "AcDbXrecord\n280\n1\n" +
         recordData +
         "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n5\nE\n8\n0\n10\n0.0\n20\n0.0\n30\n"
         "0.0\n11\n1.0\n21\n0.0\n31\n0.0\n1001\nTARVO_DATA\n" +
         lineData + "0\nENDSEC\n0\nEOF\n";
}

const std::string kSoundLineData = "1000\nnote\n";
const std::string kSoundRecordData = "1\nnote\n";

// The groups the object of a handle is written with, from its subclass marker or its first
// extended data on.
DxfGroups writtenGroups(QvDbDatabase& db, const std::string& handle, int from) {
  const DxfGroups record = recordOf(groupsOf(dxfText(db)), handle);
  for (size_t i = 0; i < record.size(); ++i)
    if (record[i].first == from)
      return DxfGroups(record.begin() + static_cast<std::ptrdiff_t>(i), record.end());
  return {};
}

std::string hexOf(int bytes) {
  std::string hex;
  for (int i = 0; i < bytes; ++i) hex += i % 2 ? "ab" : "0F";
  return hex;
}

using D = QvDxfDiagnostic;
using testing::ElementsAre;
using testing::Pair;

}  // namespace

class DxfResultBufferTest : public HostFixture {};

TEST_F(DxfResultBufferTest, APointNeedsItsYInBothAndALoneCoordinateStaysOneValue) {
  for (const auto& [record, line] :
       {std::pair{"10\n1.25\n40\n2.5\n" + kSoundRecordData, kSoundLineData},
        std::pair{kSoundRecordData, kSoundLineData + "1011\n1.25\n1040\n2.5\n"}}) {
    const std::string text = drawing(record, line);
    QvDxfReadResult result;
    EXPECT_FALSE(readDxf(text, result));
    ASSERT_NE(nullptr, result.refusal()) << text;
    EXPECT_EQ(D::kMissingGroup, result.refusal()->code) << result.message();
    EXPECT_EQ(lineOf(text, "1.25"), result.refusal()->line);
  }
  // Elevation (38) and a y (1020) without their points; a 2D point gets its z.
  const std::string text = drawing("38\n4.5\n12\n1.0\n22\n2.0\n" + kSoundRecordData,
                                   kSoundLineData + "1020\n7.5\n1012\n1.0\n1022\n2.0\n");
  QvDxfReadResult result;
  auto read = readDxf(text, result);
  ASSERT_TRUE(read) << result.message();
  EXPECT_THAT(writtenGroups(*read, "D", 100),
              ElementsAre(Pair(100, "AcDbXrecord"), Pair(280, "1"), Pair(38, "4.5"),
                          Pair(12, "1.0"), Pair(22, "2.0"), Pair(32, "0.0"), Pair(1, "note")));
  EXPECT_THAT(writtenGroups(*read, "E", 1001),
              ElementsAre(Pair(1001, "TARVO_DATA"), Pair(1000, "note"), Pair(1020, "7.5"),
                          Pair(1012, "1.0"), Pair(1022, "2.0"), Pair(1032, "0.0")));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

TEST_F(DxfResultBufferTest, BinaryChunksReadAlikeAndOnlyExtendedDataLimitsThemTo127Bytes) {
  // Either case in, the same bytes, upper case out.
  auto read = readDxf(drawing("310\n00ab7F\n", kSoundLineData + "1004\n00ab7F\n"));
  ASSERT_TRUE(read);
  {
    QvDbObjectPointer<QvDbXrecord> record(idOfHandle(*read, "D"), QvDb::kForRead);
    ASSERT_TRUE(record);
    resbuf* data = nullptr;
    ASSERT_EQ(Vexa::eOk, record->rbChain(data));
    QvRbListPtr owned(data);
    ASSERT_NE(nullptr, data);
    ASSERT_EQ(3, data->value.binary.length);
    EXPECT_EQ('\x00', data->value.binary.data[0]);
    EXPECT_EQ('\xAB', data->value.binary.data[1]);
    EXPECT_EQ('\x7F', data->value.binary.data[2]);
  }
  EXPECT_THAT(valuesOf(writtenGroups(*read, "D", 100), 310), ElementsAre("00AB7F"));
  EXPECT_THAT(valuesOf(writtenGroups(*read, "E", 1001), 1004), ElementsAre("00AB7F"));

  // 128 bytes: a record keeps them, extended data cannot hold them.
  auto large = readDxf(drawing("310\n" + hexOf(128) + "\n", kSoundLineData));
  ASSERT_TRUE(large);
  const std::vector<std::string> written = valuesOf(writtenGroups(*large, "D", 100), 310);
  ASSERT_EQ(1u, written.size());
  EXPECT_EQ(256u, written[0].size());
  for (const std::string& line : {kSoundLineData + "1004\n" + hexOf(128) + "\n",
                                  kSoundLineData + "1004\n0G\n", kSoundLineData + "1004\nABC\n"}) {
    QvDxfReadResult result;
    EXPECT_FALSE(readDxf(drawing(kSoundRecordData, line), result));
    ASSERT_NE(nullptr, result.refusal());
    EXPECT_EQ(line.size() > 200 ? D::kOutOfRange : D::kBadValue, result.refusal()->code)
        << result.message();
  }
  QvDxfReadResult result;
  EXPECT_FALSE(readDxf(drawing("310\nABC\n", kSoundLineData), result));
  ASSERT_NE(nullptr, result.refusal());
  EXPECT_EQ(D::kBadValue, result.refusal()->code) << result.message();
}
