// The insert command's packed request and the flow's state.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "sdk/db/QvDbDatabase.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/InsertData.h"

namespace {

TEST(InsertDataTest, Defaults) {
  const InsertData data;
  EXPECT_FALSE(data.nameGiven);
  EXPECT_FALSE(data.isMInsert);
  EXPECT_FALSE(data.checkDimStyleAnnotative);
  EXPECT_TRUE(data.askInsertionPoint);
  EXPECT_TRUE(data.askScale);
  EXPECT_TRUE(data.askRotation);
  EXPECT_TRUE(data.blockName->isEmpty());
  EXPECT_TRUE(data.filePath->isEmpty());
  const QvGePoint3d insertionPoint = data.insertionPoint;
  EXPECT_EQ(insertionPoint, QvGePoint3d::kOrigin);
  const QvGeVector3d normal = data.normal;
  EXPECT_EQ(normal.length(), 0.0);
  const QvGeScale3d scale = data.scale;
  const QvGeScale3d presetScale = data.presetScale;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(scale[i], 1.0);
    EXPECT_EQ(presetScale[i], 1.0);
  }
  EXPECT_EQ(data.rotation, 0.0);
  EXPECT_EQ(data.presetRotation, 0.0);
  EXPECT_EQ(data.columns, 1);
  EXPECT_EQ(data.rows, 1);
  EXPECT_EQ(data.columnSpacing, 0.0);
  EXPECT_EQ(data.rowSpacing, 0.0);
  EXPECT_FALSE(data.explode || data.uniformScale || data.definitionUpdated ||
               data.redefineFromFile || data.acceptTemplateFile);
  EXPECT_EQ(data.stopBeforeInsertTag, 0u);
  const QvDbObjectId resultId = data.resultId;
  EXPECT_TRUE(resultId.isNull());
  EXPECT_TRUE(data.attributeValues->empty());
  EXPECT_TRUE(data.attributePrompts->empty());
}

// The record is shared byte for byte: the fixed fields sit where the layout says, also when
// written through the struct (the static_asserts of the header check the declared offsets).
TEST(InsertDataTest, FixedFieldsLieAtTheirBytes) {
  InsertData data;
  data.columns = 0x01020304;
  data.stopBeforeInsertTag = 0x1122334455667788ull;
  data.rotation = 2.5;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&data);
  int32_t columns = 0;
  std::memcpy(&columns, bytes + 136, sizeof columns);
  EXPECT_EQ(columns, 0x01020304);
  uint64_t tag = 0;
  std::memcpy(&tag, bytes + 168, sizeof tag);
  EXPECT_EQ(tag, 0x1122334455667788ull);
  double rotation = 0;
  std::memcpy(&rotation, bytes + 96, sizeof rotation);
  EXPECT_EQ(rotation, 2.5);
  EXPECT_EQ(bytes[3], 1);  // askInsertionPoint
  EXPECT_EQ(bytes[0], 0);  // nameGiven
}

class InsertRecordsTest : public HostFixture {};

// Texts and maps at odd offsets are used, copied and moved like plain fields (the sanitizer
// build would stop at a misaligned access).
TEST_F(InsertRecordsTest, TextAndMapFieldsBehaveAsValues) {
  InsertData data;
  data.blockName = L"door";
  data.filePath = QvString(L"/parts/door.dxf");
  data.blockName->trim();
  (*data.attributeValues)[db()->layerTableId()] = L"LAYER VALUE";
  (*data.attributePrompts)[L"TAG#1"] = L"Enter the tag";
  data.insertionPoint = QvGePoint3d(1, 2, 3);

  InsertData copy = data;
  copy.blockName->makeUpper();
  copy.attributeValues->clear();
  EXPECT_EQ(*data.blockName, QvString(L"door"));
  EXPECT_EQ(*copy.blockName, QvString(L"DOOR"));
  EXPECT_EQ(data.attributeValues->size(), 1u);
  const QvGePoint3d copied = copy.insertionPoint;
  EXPECT_EQ(copied, QvGePoint3d(1, 2, 3));

  InsertData moved = std::move(data);
  EXPECT_EQ(*moved.filePath, QvString(L"/parts/door.dxf"));
  EXPECT_EQ(moved.attributePrompts->at(L"TAG#1"), QvString(L"Enter the tag"));
  EXPECT_EQ(moved.attributeValues->at(db()->layerTableId()), QvString(L"LAYER VALUE"));
  // The source stays a usable record.
  data.blockName = L"again";
  EXPECT_EQ(*data.blockName, QvString(L"again"));

  copy = moved;
  EXPECT_EQ(*copy.blockName, QvString(L"door"));
  EXPECT_EQ(copy.attributeValues->size(), 1u);
  const QvString& name = copy.blockName;  // reads as a QvString
  EXPECT_EQ(name.length(), 4);
}

TEST(InsertCommandStateTest, StartsFromTheRequest) {
  InsertData data;
  data.uniformScale = true;
  const InsertCommandState state(nullptr, &data);
  EXPECT_EQ(state.data, &data);
  EXPECT_TRUE(state.uniformScale);
  EXPECT_FALSE(state.redefinePending || state.explodeRequested || state.dialogAnswered ||
               state.dialogRedefine);
  EXPECT_TRUE(state.defaultName.isEmpty());

  const InsertCommandState empty;
  EXPECT_EQ(empty.data, nullptr);
  EXPECT_EQ(empty.context, nullptr);
  EXPECT_FALSE(empty.uniformScale);
}

}  // namespace
