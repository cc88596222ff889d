// CreateInsertEnt called with a given name and file, as the host's commands call it.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/XqInsertCommand.h"

namespace {

using P = QvGePoint3d;

class InsertRequestTest : public HostFixture {
 protected:
  bool hasBlock(const wchar_t* name) const {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    return table->has(name);
  }
  TempFolder folder;
};

TEST_F(InsertRequestTest, ATemplateRequestStopsBeforeInserting) {
  QvDbDatabase part(true, true);
  appendEntity(part.modelSpaceId(), new QvDbLine(P(0, 0, 0), P(3, 0, 0)));
  const std::string path = folder.path("sheet.dwt");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  VexaBuildInCommandContext context;
  InsertData data;
  data.nameGiven = true;
  data.blockName = L"sheet";
  data.filePath = QvString(path.c_str());
  data.acceptTemplateFile = true;
  data.stopBeforeInsertTag = 7;
  EXPECT_EQ(CreateInsertEnt(&context, data), -5008);
  EXPECT_FALSE(hasBlock(L"sheet"));
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 0);
  // Without the stop tag the template is read into the block and placed.
  data.stopBeforeInsertTag = 0;
  data.askInsertionPoint = data.askScale = data.askRotation = false;
  EXPECT_EQ(CreateInsertEnt(&context, data), 5100);
  EXPECT_TRUE(hasBlock(L"sheet"));
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 1);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace

namespace {

// A caller-given name and file: an existing block is redefined from the file only when the
// request asks it, without a question; a file that is not found changes nothing.
TEST_F(InsertRequestTest, AGivenFileRedefinesAnExistingBlockOnlyWhenAsked) {
  const QvDbObjectId gate = addBlock(db(), L"gate");
  appendEntity(gate, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  QvDbDatabase part(true, true);
  for (int i = 0; i < 3; ++i)
    appendEntity(part.modelSpaceId(), new QvDbLine(P(0, i, 0), P(2, i, 0)));
  const std::string path = folder.path("gate.dxf");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  VexaBuildInCommandContext context;
  auto request = [&](bool redefine, const std::string& file) {
    InsertData data;
    data.nameGiven = true;
    data.blockName = L" gate ";
    data.filePath = QvString(file.c_str());
    data.redefineFromFile = redefine;
    data.askInsertionPoint = data.askScale = data.askRotation = false;
    const int rc = CreateInsertEnt(&context, data);
    EXPECT_EQ(data.definitionUpdated, redefine && rc == 5100);
    return rc;
  };
  script(L"");  // no question may be asked
  EXPECT_EQ(request(false, path), 5100);
  EXPECT_EQ(contentsOf(gate).length(), 1);
  EXPECT_EQ(request(true, path), 5100);
  EXPECT_EQ(contentsOf(gate).length(), 3);
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 2);
  EXPECT_EQ(inputScript().readsPastEnd(), 0);

  EXPECT_EQ(request(true, folder.path("nowhere.dxf")), 5000);
  EXPECT_EQ(contentsOf(gate).length(), 3);
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 2);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace
