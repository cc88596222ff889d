// CreateInsertEnt called with a given name and file, as the host's commands call it.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/XqInsertCommand.h"
#include "xqcmdutil/XqObjectAnnotation.h"

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

namespace {

// A block named at the question whose annotative setting differs from the current dimension
// style's is refused when the request asks it (message 10985, 5000), nothing placed; an
// exploded insert that EXPLMODE 0 forbids (uneven scale) gives the same 5000 and leaves nothing.
TEST_F(InsertRequestTest, AnnotativeMismatchAndForbiddenExplodeStopTheInsert) {
  const QvDbObjectId sign = addBlock(db(), L"sign");
  appendEntity(sign, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(sign, QvDb::kForWrite);
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
  }
  VexaBuildInCommandContext context;
  context.setNonInteractive(true);  // no annotation scale dialog
  auto insert = [&](const wchar_t* answer, bool check) {
    InsertData data;
    data.checkDimStyleAnnotative = check;
    data.askInsertionPoint = data.askScale = data.askRotation = false;
    data.scale = QvGeScale3d(1.0, 2.0, 1.0);
    script(QvString(answer) + L"\n");
    transcript().clear();
    return CreateInsertEnt(&context, data);
  };
  EXPECT_EQ(insert(L"sign", true), 5000);
  bool refused = false;
  for (const std::wstring& message : messages())
    refused = refused || message.find(L"annotative setting differs") != std::wstring::npos;
  EXPECT_TRUE(refused);
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 0);
  // Without the check the same block is placed.
  EXPECT_EQ(insert(L"sign", false), 5100);
  EXPECT_EQ(contentsOf(db()->modelSpaceId()).length(), 1);

  // "*name" explodes; EXPLMODE 0 refuses the uneven scale: 5000, the reference stays unexploded.
  const QvDbObjectId post = addBlock(db(), L"post");
  appendEntity(post, new QvDbLine(P(0, 0, 0), P(0, 1, 0)));
  resbuf mode{nullptr, kRbShort, {}};
  mode.value.int16 = 0;
  ASSERT_EQ(qvedSetVar(L"EXPLMODE", &mode), kQvNormal);
  EXPECT_EQ(insert(L"*post", false), 5000);
  QvDbObjectIdArray placed = contentsOf(db()->modelSpaceId());
  ASSERT_EQ(placed.length(), 2);
  EXPECT_EQ(placed.last().objectClass(), QvDbBlockReference::desc());
  // EXPLMODE 1 lets it explode into its line, stretched to twice its length.
  mode.value.int16 = 1;
  ASSERT_EQ(qvedSetVar(L"EXPLMODE", &mode), kQvNormal);
  EXPECT_EQ(insert(L"*post", false), 5100);
  placed = contentsOf(db()->modelSpaceId());
  ASSERT_EQ(placed.length(), 3);
  {
    QvDbObjectPointer<QvDbLine> line(placed.last(), QvDb::kForRead);
    ASSERT_EQ(line.openStatus(), Vexa::eOk);
    EXPECT_NEAR(line->startPoint().distanceTo(line->endPoint()), 2.0, 1e-12);
  }
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace
