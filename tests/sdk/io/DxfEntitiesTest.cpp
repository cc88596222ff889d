// Entities of every class through a DXF file: read back they describe the same drawing and
// write the same text, and ezdxf reads what was written with the same content.
#include <gtest/gtest.h>

#include "sdk/db/QvDbDatabase.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfEntityZoo.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

class DxfEntitiesTest : public HostFixture {};

TEST_F(DxfEntitiesTest, EveryEntityClassComesBackAlike) {
  addEntityZoo(db());
  const std::string text = dxfText(*db());
  QvString message;
  Vexa::ErrorStatus status;
  auto read = readDxf(text, &status, &message);
  ASSERT_TRUE(read) << message;
  EXPECT_TRUE(message.isEmpty()) << message;
  EXPECT_TRUE(sameDescription(describeAsJson(*db()), describeAsJson(*read)));
  EXPECT_TRUE(text == dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
  EXPECT_TRUE(noAccessViolations(read.get()));
}

TEST_F(DxfEntitiesTest, EzdxfReadsEveryEntityClassWrittenHere) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  addEntityZoo(db());
  TempFolder folder;
  const std::string file = folder.path("zoo.dxf");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(QvString(file.c_str()))) << db()->fileMessage();
  EXPECT_TRUE(ezdxfProbeAgrees(dxfDataPath("ezdxf_probe.py"), file, folder.path("expected.json"),
                               describeAsJson(*db())));
}
