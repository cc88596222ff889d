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
  expectFilledInsertData(moveAssigned, ids);  // the target's own entry is gone
  EXPECT_TRUE(moved.getAttributeIdNameMapAdress()->empty());  // NOLINT

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
