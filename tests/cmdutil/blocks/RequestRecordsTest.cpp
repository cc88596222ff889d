// The block request records: the scale rule, the array flag, copies, moves and the extrusion
// direction taken from the live UCS.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/CreateInsertData.h"

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

TEST_F(RequestRecordsTest, BlockDataCopiesAreDeepAndMovesStealTheArray) {
  CreateBlockData source;
  QvArray<QvDbObjectId> ids(0, 32);
  ids.append(someIds(db(), 4));
  source.setBlockName(L"window");
  source.getObjectIdToBlock() = ids;  // grow length 32 with the array
  source.setDescription(L"four panes");
  source.setCompletionRequest(2);

  CreateBlockData copy(source);
  copy.getObjectIdToBlock().removeLast();
  EXPECT_EQ(source.getObjectIdToBlock().length(), 4);
  EXPECT_EQ(copy.getObjectIdToBlock().growLength(), 32);
  CreateBlockData assigned;
  assigned = source;
  EXPECT_EQ(assigned.getObjectIdToBlock(), ids);
  EXPECT_EQ(assigned.getDescription(), QvString(L"four panes"));
  EXPECT_EQ(assigned.getCompletionRequest(), 2);

  const QvDbObjectId* buffer = source.getObjectIdToBlock().asArrayPtr();
  CreateBlockData moved(std::move(source));
  EXPECT_EQ(moved.getObjectIdToBlock().asArrayPtr(), buffer);
  EXPECT_EQ(moved.getObjectIdToBlock(), ids);
  QvString name;
  moved.getBlockName(name);
  EXPECT_EQ(name, QvString(L"window"));
  EXPECT_TRUE(source.getObjectIdToBlock().isEmpty());  // NOLINT: the moved-from state is defined
  EXPECT_EQ(source.getObjectIdToBlock().growLength(), 8);

  CreateBlockData target;
  target.setObjectIdToBlock(someIds(db(), 2));
  target = std::move(moved);
  EXPECT_EQ(target.getObjectIdToBlock().asArrayPtr(), buffer);
  EXPECT_TRUE(moved.getObjectIdToBlock().isEmpty());  // NOLINT
  EXPECT_EQ(moved.getObjectIdToBlock().growLength(), 8);
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
  data.setCollumnDistance(2.5);
  data.setRowDistance(-4.0);
  EXPECT_TRUE(data.getMInsertFlag());
  int columns = 0, rows = 0;
  double columnDistance = -1, rowDistance = -1;
  data.getMInsertData(columns, rows, columnDistance, rowDistance);
  EXPECT_EQ(columns, 0);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(columnDistance, 2.5);
  EXPECT_EQ(rowDistance, -4.0);
}

TEST(CreateInsertDataTest, ZeroScaleFactorsBecomeOneEachOnItsOwn) {
  CreateInsertData data;
  QvGeScale3d scale;
  data.setScale3d(QvGeScale3d(0, 2, 5e-11));
  data.getScale3d(scale);
  EXPECT_EQ(scale.sx, 1.0);
  EXPECT_EQ(scale.sy, 2.0);
  EXPECT_EQ(scale.sz, 1.0);

  data.setScale3d(QvGeScale3d(-1, -1e-9, 3));
  data.getScale3d(scale);
  EXPECT_EQ(scale.sx, -1.0);
  EXPECT_EQ(scale.sy, -1e-9);
  EXPECT_EQ(scale.sz, 3.0);

  // The bounds themselves count as zero; just beyond them does not.
  data.setScale3d(QvGeScale3d(1e-10, -1e-10, std::nextafter(1e-10, 1.0)));
  data.getScale3d(scale);
  EXPECT_EQ(scale.sx, 1.0);
  EXPECT_EQ(scale.sy, 1.0);
  EXPECT_EQ(scale.sz, std::nextafter(1e-10, 1.0));
}

TEST_F(RequestRecordsTest, InsertDataCopiesAreDeepAndMovesTakeTheAttributeMap) {
  const QvArray<QvDbObjectId> ids = someIds(db(), 3);
  CreateInsertData source;
  source.setInsertName(L"door");
  source.setFilePathToBlock(L"/parts/door.dxf");
  source.setInsertPoint(QvGePoint3d(1, 2, 3));
  source.setRotationAngle(0.5);
  source.setSpaceID(ids[0]);
  source.setExplodeFlag(true);
  // Filled through the address, in an order other than the ids'.
  (*source.getAttributeIdNameMapAdress())[ids[2]] = L"C";
  (*source.getAttributeIdNameMapAdress())[ids[1]] = L"B";
  const CreateInsertData::AttributeIdNameMap& map = *source.getAttributeIdNameMapAdress();
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map.begin()->first, ids[1]);  // ordered by the id's less-than

  CreateInsertData copy(source);
  copy.getAttributeIdNameMapAdress()->clear();
  EXPECT_EQ(source.getAttributeIdNameMapAdress()->size(), 2u);

  CreateInsertData moved(std::move(source));
  EXPECT_TRUE(source.getAttributeIdNameMapAdress()->empty());  // NOLINT
  EXPECT_EQ(moved.getAttributeIdNameMapAdress()->size(), 2u);

  // Move assignment first clears the target's map: an entry only the target had is gone.
  CreateInsertData target;
  (*target.getAttributeIdNameMapAdress())[ids[0]] = L"A";
  target = std::move(moved);
  const CreateInsertData::AttributeIdNameMap& taken = *target.getAttributeIdNameMapAdress();
  EXPECT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken.count(ids[0]), 0u);
  EXPECT_EQ(taken.at(ids[2]), QvString(L"C"));
  EXPECT_TRUE(moved.getAttributeIdNameMapAdress()->empty());  // NOLINT

  CreateInsertData assigned;
  assigned = target;
  EXPECT_EQ(*assigned.getAttributeIdNameMapAdress(), taken);
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
  EXPECT_EQ(scale.sx, 2.0);
  EXPECT_EQ(scale.sy, -3.0);
  EXPECT_EQ(scale.sz, 0.5);
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

// Copies and moves, built and assigned, carry every field (the array layout and the scale
// included) onto a record that had other values.
TEST_F(RequestRecordsTest, InsertDataCopiesAndMovesCarryEveryField) {
  const QvArray<QvDbObjectId> ids = someIds(db(), 3);
  CreateInsertData source;
  fillInsertData(source, ids);

  const CreateInsertData copied(source);
  expectFilledInsertData(copied, ids);
  CreateInsertData copyAssigned;
  copyAssigned.setCollumnNumber(9);
  copyAssigned = source;
  expectFilledInsertData(copyAssigned, ids);

  CreateInsertData moved(std::move(copyAssigned));
  expectFilledInsertData(moved, ids);
  CreateInsertData moveAssigned;
  moveAssigned.setScale3d(QvGeScale3d(9, 9, 9));
  moveAssigned.setRowNumber(7);
  moveAssigned.setRowDistance(9.0);
  moveAssigned = std::move(moved);
  expectFilledInsertData(moveAssigned, ids);

  // A record moved onto itself keeps what it had.
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

// With no host to read the UCS from, the extrusion is the world Z axis.
TEST(CreateInsertDataWithoutHost, ExtrusionIsTheWorldZAxis) {
  ASSERT_EQ(VexaHost::current(), nullptr);
  const CreateInsertData data;
  EXPECT_VECTOR_NEAR(data.getExtrusionDir(), QvGeVector3d::kZAxis, 1e-12);
}

}  // namespace
