// The insert command's packed request.
#include <gtest/gtest.h>

#include <utility>

#include "sdk/db/QvDbDatabase.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/InsertData.h"

namespace {

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

}  // namespace
