// Handles that markers take (sequence ends, block begin and end), kept in a set of bits for
// the handles a file gives and a hash set above them, and what the reader makes of a handle
// that a marker and an object both claim.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/io/QvDxfHandleSet.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

TEST(DxfHandleSetTest, HandlesInAndAboveTheDenseRangeAreKeptOnce) {
  for (const uint64_t dense :
       {uint64_t{0}, uint64_t{1}, uint64_t{64}, uint64_t{1000}, uint64_t{1} << 40}) {
    QvDxfHandleSet set(dense);
    const std::vector<uint64_t> handles = {
        0, 1, 63, 64, 65, 999, 1000, 1001, 4096, uint64_t{1} << 26, ~uint64_t{0}};
    for (const uint64_t h : handles) {
      EXPECT_FALSE(set.contains(h)) << h << " of " << dense;
      EXPECT_TRUE(set.insert(h)) << h << " of " << dense;
    }
    for (const uint64_t h : handles) {
      EXPECT_TRUE(set.contains(h)) << h << " of " << dense;
      EXPECT_FALSE(set.insert(h)) << h << " of " << dense;
    }
    // Neighbours stay out.
    for (const uint64_t h :
         {uint64_t{2}, uint64_t{62}, uint64_t{66}, uint64_t{998}, uint64_t{1002}})
      EXPECT_FALSE(set.contains(h)) << h << " of " << dense;
  }
}

namespace {

// A polyline whose sequence end takes `seqendHandle`, then a line with `lineHandle`.
std::string polylineThenLine(const std::string& seqendHandle, const std::string& lineHandle) {
  return "  0\nSECTION\n  2\nENTITIES\n"
         "  0\nPOLYLINE\n  5\n10\n  8\n0\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
         "  0\nVERTEX\n  5\n11\n  8\n0\n 10\n1.0\n 20\n1.0\n 30\n0.0\n"
         "  0\nVERTEX\n  5\n13\n  8\n0\n 10\n2.0\n 20\n0.0\n 30\n0.0\n"
         "  0\nSEQEND\n  5\n" +
         seqendHandle +
         "\n  8\n0\n"
         "  0\nLINE\n  5\n" +
         lineHandle +
         "\n  8\n0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n"
         "  0\nENDSEC\n  0\nEOF\n";
}

}  // namespace

class DxfMarkerHandleTest : public HostFixture {};

// Whether the handle lies among the file's handles or far above them, an object that claims a
// sequence end's handle gets a new one, and the repair names its line.
TEST_F(DxfMarkerHandleTest, AnObjectOnAMarkersHandleGetsANewOne) {
  for (const std::string handle : {"12", "3FFFFFF0"}) {
    const std::string text = polylineThenLine(handle, handle);
    QvDxfReadResult result;
    auto db = readDxf(text, result);
    ASSERT_TRUE(db) << result.message().utf8();
    ASSERT_EQ(codesOf(result), std::vector<QvDxfDiagnostic::Code>{QvDxfDiagnostic::kHandleReplaced})
        << handle;
    // The line of the handle, right after the record's name.
    EXPECT_EQ(result.diagnostics[0].line, lineOf(text, "LINE") + 2);
    const QvDbObjectIdArray ids = entitiesOf(db->modelSpaceId());
    ASSERT_EQ(2, ids.length());
    EXPECT_TRUE(ids[1].objectClass() == QvDbLine::desc());
    EXPECT_NE(ids[1].handle(), idOfHandle(*db, "10").handle());
    EXPECT_TRUE(idOfHandle(*db, handle).isNull()) << handle;
    // Written and read again, nothing is repaired any more.
    QvDxfReadResult again;
    ASSERT_TRUE(readDxf(dxfText(*db), again)) << again.message().utf8();
    EXPECT_TRUE(again.diagnostics.empty()) << again.message().utf8();
  }
}

// The other way round the marker comes second and the file is refused at it.
TEST_F(DxfMarkerHandleTest, AMarkerOnAnObjectsHandleIsRefused) {
  for (const std::string handle : {"11", "10"}) {
    const std::string text = polylineThenLine(handle, "20");
    QvDxfReadResult result;
    EXPECT_FALSE(readDxf(text, result)) << handle;
    ASSERT_EQ(codesOf(result),
              std::vector<QvDxfDiagnostic::Code>{QvDxfDiagnostic::kHandleUsedTwice})
        << handle;
  }
}
