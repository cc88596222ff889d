// The data of the block commands: the request records (the scale rule, the array flag, copies,
// moves, the extrusion direction taken from the live UCS), the insert command's packed request,
// and the id set (membership through growth, removal and reinsertion).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "cmdutil/blocks/XqIdSet.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/ScaleChecks.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/InsertData.h"

namespace {

// Ids of real objects (the first few objects of the drawing), so that ordering and copies
// are seen on ids that differ.
QvArray<QvDbObjectId> someIds(QvDbDatabase* db, int count) {
  QvArray<QvDbObjectId> ids;
  const QvDbObjectId tables[] = {db->blockTableId(), db->layerTableId(), db->textStyleTableId(),
                                 db->dimStyleTableId(), db->regAppTableId()};
  for (int i = 0; i < count && i < 5; ++i) ids.append(tables[i]);
  return ids;
}

class RequestRecordsTest : public HostFixture {};

TEST_F(RequestRecordsTest, BlockDataIdArraysAreCopiedInOrder) {
  CreateBlockData data;
  const QvArray<QvDbObjectId> ids = someIds(db(), 3);
  data.setData(L"door", ids, QvGePoint3d(1, 2, 3));

  // The target takes the source's length: longer and shorter targets both end equal.
  QvArray<QvDbObjectId> longer = someIds(db(), 5);
  QvString name;
  QvGePoint3d base;
  data.getData(name, longer, base);
  EXPECT_EQ(name, QvString(L"door"));
  EXPECT_EQ(base, QvGePoint3d(1, 2, 3));
  EXPECT_EQ(longer, ids);
  QvArray<QvDbObjectId> empty;
  data.getObjectIdToBlock(empty);
  EXPECT_EQ(empty, ids);

  // Given the stored array itself, the setters and getters leave it alone.
  data.setObjectIdToBlock(data.getObjectIdToBlock());
  data.getObjectIdToBlock(data.getObjectIdToBlock());
  EXPECT_EQ(data.getObjectIdToBlock(), ids);

  data.setObjectIdToBlock(someIds(db(), 1));
  EXPECT_EQ(data.getObjectIdToBlock().length(), 1);
}

TEST(CreateInsertDataTest, TheArrayFlagFollowsTheRowsAndColumns) {
  CreateInsertData data;
  EXPECT_FALSE(data.getMInsertFlag());
  data.setCollumnNumber(2);
  EXPECT_TRUE(data.getMInsertFlag());
  data.setCollumnNumber(0);
  data.setRowNumber(-3);
  EXPECT_FALSE(data.getMInsertFlag());
  data.setRowNumber(3);
  EXPECT_TRUE(data.getMInsertFlag());
}

TEST(CreateInsertDataTest, ZeroScaleFactorsBecomeOneEachOnItsOwn) {
  // The bounds themselves count as zero; just beyond them does not.
  const double beyond = std::nextafter(1e-10, 1.0);
  const struct {
    QvGeScale3d given, kept;
  } cases[] = {
      {{0, 2, 5e-11}, {1, 2, 1}},
      {{-1, -1e-9, 3}, {-1, -1e-9, 3}},
      {{1e-10, -1e-10, beyond}, {1, 1, beyond}},
  };
  for (const auto& c : cases) {
    CreateInsertData data;
    data.setScale3d(c.given);
    QvGeScale3d scale;
    data.getScale3d(scale);
    EXPECT_SCALE_NEAR(scale, c.kept);
  }
}

// Every field of an insert request, none at its default.
void fillInsertData(CreateInsertData& data, const QvArray<QvDbObjectId>& ids) {
  data.setInsertName(L"gate");
  data.setFilePathToBlock(L"/parts/gate.dxf");
  data.setInsertPoint(QvGePoint3d(4, 5, 6));
  data.setScale3d(QvGeScale3d(2, -3, 0.5));
  data.setRotationAngle(1.25);
  data.setSpaceID(ids[1]);
  data.setCollumnNumber(4);
  data.setRowNumber(3);
  data.setCollumnDistance(7.5);
  data.setRowDistance(-2.0);
  data.setExplodeFlag(true);
  (*data.getAttributeIdNameMapAdress())[ids[0]] = L"A";
}

void expectFilledInsertData(const CreateInsertData& data, const QvArray<QvDbObjectId>& ids) {
  QvString name, path;
  data.getInsertName(name);
  data.getFilePathToBlock(path);
  EXPECT_EQ(name, QvString(L"gate"));
  EXPECT_EQ(path, QvString(L"/parts/gate.dxf"));
  EXPECT_EQ(data.getInsertPoint(), QvGePoint3d(4, 5, 6));
  QvGeScale3d scale;
  data.getScale3d(scale);
  EXPECT_SCALE_NEAR(scale, QvGeScale3d(2, -3, 0.5));
  EXPECT_EQ(data.getRotationAngle(), 1.25);
  EXPECT_EQ(data.getSpaceID(), ids[1]);
  int columns = 0, rows = 0;
  double columnDistance = 0, rowDistance = 0;
  data.getMInsertData(columns, rows, columnDistance, rowDistance);
  EXPECT_EQ(columns, 4);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(columnDistance, 7.5);
  EXPECT_EQ(rowDistance, -2.0);
  EXPECT_TRUE(data.getMInsertFlag());
  EXPECT_TRUE(data.getExplodeFlag());
  ASSERT_EQ(data.getAttributeIdNameMapAdress()->size(), 1u);
  EXPECT_EQ(data.getAttributeIdNameMapAdress()->at(ids[0]), QvString(L"A"));
}

// Moves, built and assigned, carry every field (the array layout, the scale and the attribute
// map included) onto a record that had other values, and leave the source's map empty.
TEST_F(RequestRecordsTest, InsertDataMovesCarryEveryField) {
  const QvArray<QvDbObjectId> ids = someIds(db(), 3);
  CreateInsertData source;
  fillInsertData(source, ids);

  CreateInsertData moved(std::move(source));
  expectFilledInsertData(moved, ids);
  EXPECT_TRUE(source.getAttributeIdNameMapAdress()->empty());  // NOLINT: defined moved-from state
  CreateInsertData moveAssigned;
  moveAssigned.setScale3d(QvGeScale3d(9, 9, 9));
  moveAssigned.setRowNumber(7);
  moveAssigned.setRowDistance(9.0);
  (*moveAssigned.getAttributeIdNameMapAdress())[ids[2]] = L"only the target's";
  moveAssigned = std::move(moved);
  expectFilledInsertData(moveAssigned, ids);                  // the target's own entry is gone
  EXPECT_TRUE(moved.getAttributeIdNameMapAdress()->empty());  // NOLINT

  CreateInsertData& self = moveAssigned;
  moveAssigned = std::move(self);
  expectFilledInsertData(moveAssigned, ids);
}

TEST_F(RequestRecordsTest, ExtrusionFollowsTheCurrentUcs) {
  CreateInsertData data;
  EXPECT_VECTOR_NEAR(data.getExtrusionDir(), QvGeVector3d::kZAxis, 1e-12);

  // The UCS turned 90 degrees about the world X axis: its Z axis is the world's -Y.
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(QvGePoint3d(10, 0, 0), QvGeVector3d::kXAxis, QvGeVector3d::kZAxis,
                     -QvGeVector3d::kYAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  EXPECT_VECTOR_NEAR(data.getExtrusionDir(), -QvGeVector3d::kYAxis, 1e-12);

  // Changed again between two calls on the same record; getData answers the same.
  const QvGeVector3d x(std::cos(0.3), 0, std::sin(0.3));
  const QvGeVector3d y(0, 1, 0);
  const QvGeVector3d z = x.crossProduct(y);
  ucs.setCoordSystem(QvGePoint3d::kOrigin, x, y, z);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  QvString name;
  QvGePoint3d point;
  QvGeVector3d extrusion;
  QvGeScale3d scale;
  double rotation = 1;
  data.setRotationAngle(std::numbers::pi);
  data.getData(name, point, extrusion, scale, rotation);
  EXPECT_VECTOR_NEAR(extrusion, z, 1e-12);
  EXPECT_VECTOR_NEAR(data.getExtrusionDir(), z, 1e-12);
  EXPECT_NEAR(extrusion.length(), 1.0, 1e-15);
  EXPECT_EQ(rotation, std::numbers::pi);
}

// Texts and maps at odd offsets are used, copied and moved like plain fields (the sanitizer
// build would stop at a misaligned access).
TEST_F(RequestRecordsTest, PackedTextAndMapFieldsBehaveAsValues) {
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

TEST(CreateInsertDataWithoutHost, ExtrusionIsTheWorldZAxis) {
  ASSERT_EQ(VexaHost::current(), nullptr);
  const CreateInsertData data;
  EXPECT_VECTOR_NEAR(data.getExtrusionDir(), QvGeVector3d::kZAxis, 1e-12);
}

TEST(IdSetTest, EachIdIsHeldOnceThroughGrowthAndRemoval) {
  std::vector<QvDbObjectStub> stubs(5000);
  auto id = [&](size_t i) { return QvDbObjectId(&stubs[i]); };
  XqIdSet set;
  EXPECT_FALSE(set.contains(id(0)));
  EXPECT_FALSE(set.erase(id(0)));
  // The even ids, each twice: the second insertion finds it there.
  for (size_t i = 0; i < stubs.size(); i += 2) {
    ASSERT_TRUE(set.insert(id(i))) << i;
    ASSERT_FALSE(set.insert(id(i))) << i;
  }
  for (size_t i = 0; i < stubs.size(); ++i) ASSERT_EQ(set.contains(id(i)), i % 2 == 0) << i;
  // Every fourth goes; the others stay, found past the removed slots.
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_TRUE(set.erase(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_FALSE(set.erase(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); ++i) ASSERT_EQ(set.contains(id(i)), i % 4 == 2) << i;
  // Removed ids come back, and the odd ones join, growing the table over removed slots.
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_TRUE(set.insert(id(i))) << i;
  for (size_t i = 1; i < stubs.size(); i += 2) ASSERT_TRUE(set.insert(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); ++i) {
    ASSERT_TRUE(set.contains(id(i))) << i;
    ASSERT_FALSE(set.insert(id(i))) << i;
  }
}

TEST(IdSetTest, TheNullIdIsAnIdLikeAnyOther) {
  QvDbObjectStub stub;
  XqIdSet set;
  set.reserve(3);
  EXPECT_TRUE(set.insert(QvDbObjectId()));
  EXPECT_FALSE(set.insert(QvDbObjectId()));
  EXPECT_TRUE(set.contains(QvDbObjectId()));
  EXPECT_FALSE(set.contains(QvDbObjectId(&stub)));
  EXPECT_TRUE(set.erase(QvDbObjectId()));
  EXPECT_FALSE(set.contains(QvDbObjectId()));
}

}  // namespace
