// Regions in drawing files: a REGION keeps its modeler data. It is read as a proxy and written
// back group for group; regions of the modeler live in memory only.
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/HostFixture.h"

class DxfRegionTest : public HostFixture {};

TEST_F(DxfRegionTest, ARegionOfAFileKeepsItsModelerDataAsAProxy) {
  std::string text = readFile(dxfDataPath("sound_r2018.dxf"));
  const std::string anchor = "  2\nENTITIES\n";
  const size_t at = text.find(anchor);
  ASSERT_NE(std::string::npos, at);
  text.insert(
      at + anchor.size(),
      "  0\nREGION\n  5\nABC7\n330\n17\n100\nAcDbEntity\n  8\n0\n100\n"
      "AcDbModelerGeometry\n 70\n1\n  1\n21200 137 0 1 0 0 0 0 0 0 4 0 0 0 0 0 0 0 0\n"
      "  3\nbody $-1 -1 $-1 $1 $-1 $2 #\n290\n0\n  2\n{00000000-0000-0000-0000-000000000000}\n");
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  const QvDbObjectId id = idOfHandle(*read, "ABC7");
  ASSERT_FALSE(id.isNull());
  {
    QvDbObjectPointer<QvDbProxyEntity> proxy(id, QvDb::kForRead);
    ASSERT_TRUE(proxy);
    EXPECT_EQ(QvString(L"REGION"), proxy->originalDxfName());
  }
  EXPECT_EQ(recordOf(groupsOf(text), "ABC7"), recordOf(groupsOf(dxfText(*read)), "ABC7"));
}
