// Entities of every class through DXF files, and ezdxf (an independent DXF library) reading the
// drawings written here and ours reading those it writes, of every version, alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfEntityZoo.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

const EzdxfProbe kProbe{dxfDataPath("ezdxf_probe.py"), describeAsJson};

}  // namespace

class DxfEntitiesTest : public HostFixture {};

TEST_F(DxfEntitiesTest, EveryEntityClassComesBackAlike) {
  addEntityZoo(db());
  const std::string text = dxfText(*db());
  QvDxfReadResult result;
  auto read = readDxf(text, result);
  ASSERT_TRUE(read) << result.message();
  EXPECT_TRUE(result.diagnostics.empty()) << result.message();
  EXPECT_TRUE(sameDescription(describeAsJson(*db()), describeAsJson(*read)));
  EXPECT_TRUE(text == dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
  EXPECT_TRUE(noAccessViolations(read.get()));
}

class DxfEzdxfTest : public DxfFolderTest {
 protected:
  void SetUp() override {
    DxfFolderTest::SetUp();
    if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  }
};

// Every entity class, and layers of every state with extended data.
TEST_F(DxfEzdxfTest, ADrawingWrittenHereOpensInEzdxfWithTheSameContent) {
  addEntityZoo(db());
  const QvDbObjectId dashed =
      addRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(db(), L"Dashdot", [](auto& r) {
        r.setComments(L"__ __");
        r.setDashes({1.0, -0.5});
      });
  const QvDbObjectId walls =
      addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db(), L"Walls", [&](auto& r) {
        r.setColorIndex(3);
        r.setLinetypeObjectId(dashed);
      });
  addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db(), L"Off and locked", [](auto& r) {
    r.setColorIndex(200);
    r.setIsOff(true);
    r.setIsLocked(true);
  });
  addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db(), L"Gefroren äöü",
                                                  [](auto& r) { r.setIsFrozen(true); });
  addRegApp(db(), L"TARVO_TEST");
  const QvDbObjectId block = addRecord<QvDbBlockTable, QvDbBlockTableRecord>(
      db(), L"Empty block", [](auto& r) { r.setComments(L"nothing inside"); });
  // Extended data on a layer and on the block record.
  const double at[3] = {1, 2, 3};
  QvRbListPtr xdata(qvutBuildList(1001, L"TARVO_TEST", 1000, L"walls \"outer\"", 1002, L"{", 1010,
                                  at, 1040, 0.1, 1070, -3, 1071, 99999, 1002, L"}", 0));
  for (const QvDbObjectId& id : {walls, block}) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, object->setXData(xdata.get()));
  }
  const std::string file = folder_.path("written here.dxf");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(QvString(file.c_str()))) << db()->fileMessage();
  EXPECT_TRUE(kProbe.agrees(*db(), file, folder_));
}

// Every kind, made in code, some in a tilted plane: ezdxf reads the same definition points and
// works out the same measurement from them, and its audit, which drops a dimension without its
// block, finds nothing (the dimensions made their blocks themselves, and a dimension moved after
// it was made has its block follow). Read here again, the file holds the same kinds with the
// same points and values, and each length dimension its own block.
TEST_F(DxfEzdxfTest, EveryDimensionKindIsWrittenWithItsPointsAndReadBack) {
  const QvDbObjectIdArray lengths{
      appendToModelSpace(db(),
                         new QvDbRotatedDimension(0.5, QvGePoint3d(1, 1, 0), QvGePoint3d(6, 3, 0),
                                                  QvGePoint3d(0, 6, 0))),
      appendToModelSpace(db(), new QvDbAlignedDimension(QvGePoint3d(-2, 4, 1), QvGePoint3d(3, 1, 1),
                                                        QvGePoint3d(-4, 0, 1)))};
  ASSERT_FALSE(lengths.contains(QvDbObjectId()));
  {
    QvDbObjectPointer<QvDbAlignedDimension> aligned(lengths[1], QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, aligned->setXLine2Point(QvGePoint3d(8, -3, 1)));
  }
  const QvGeVector3d tilted = QvGeVector3d(0.3, -0.5, 0.8).normal();
  const QvGeMatrix3d toTilted = QvGeMatrix3d::planeToWorld(tilted);
  const auto onTilted = [&](double x, double y) {
    return QvGePoint3d(x, y, 1.5).transformBy(toTilted);
  };
  std::vector<QvDbDimension*> made;
  made.push_back(new QvDb2LineAngularDimension(onTilted(0, 0), onTilted(5, 0), onTilted(1, 1),
                                               onTilted(2, 3), onTilted(4, 2)));
  made.back()->setNormal(tilted);
  made.push_back(new QvDb3PointAngularDimension(QvGePoint3d(10, 0, 0), QvGePoint3d(13, 0, 0),
                                                QvGePoint3d(10, 4, 0), QvGePoint3d(8, -2, 0)));
  auto* arc = new QvDbArcDimension(QvGePoint3d(20, 0, 0), QvGePoint3d(22, 0, 0),
                                   QvGePoint3d(20, 2, 0), QvGePoint3d(23, 3, 0));
  arc->setHasLeader(true);
  arc->setLeader1Point(QvGePoint3d(21.5, 1.5, 0));
  arc->setLeader2Point(QvGePoint3d(24, 4, 0));
  arc->setIsPartial(true);
  arc->setArcStartParam(0.25);
  arc->setArcEndParam(1.5);
  made.push_back(arc);
  made.push_back(new QvDbRadialDimension(onTilted(30, 0), onTilted(33, 4), 1.25));
  made.back()->setNormal(tilted);
  made.push_back(new QvDbRadialDimensionLarge(QvGePoint3d(40, -80, 0), QvGePoint3d(40, 20, 0),
                                              QvGePoint3d(43, 2, 0), QvGePoint3d(41, 8, 0), 0.6));
  made.push_back(new QvDbDiametricDimension(QvGePoint3d(50, 3, 0), QvGePoint3d(50, -3, 0), 0.5));
  auto* ordinate = new QvDbOrdinateDimension(false, QvGePoint3d(63, 7, 0), QvGePoint3d(66, 8, 0));
  ordinate->setOrigin(QvGePoint3d(60, 1, 0));
  ordinate->setHorizontalRotation(-0.3);
  made.push_back(ordinate);
  for (QvDbDimension* dimension : made) ASSERT_FALSE(appendToModelSpace(db(), dimension).isNull());
  const std::string file = folder_.path("kinds.dxf");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(QvString(file.c_str()))) << db()->fileMessage();
  EXPECT_TRUE(kProbe.agrees(*db(), file, folder_));
  // The two kinds with records of their own are listed among the file's classes.
  const std::vector<std::string> classes = valuesOf(groupsOf(readTextFile(file)), 2);
  for (const char* name : {"AcDbArcDimension", "AcDbRadialDimensionLarge"})
    EXPECT_NE(classes.end(), std::find(classes.begin(), classes.end(), name)) << name;

  QvDbDatabase read(false);
  ASSERT_EQ(Vexa::eOk, read.readDwgFile(QvString(file.c_str()))) << read.fileMessage();
  EXPECT_TRUE(kProbe.agrees(read, file, folder_));
  QvDbObjectIdArray blocks;
  for (const QvDbObjectId& original : lengths) {
    QvDbObjectPointer<QvDbDimension> dimension(sameHandleIn(read, original), QvDb::kForRead);
    ASSERT_TRUE(dimension);
    const QvDbObjectId block = dimension->dimBlockId();
    ASSERT_FALSE(block.isNull());
    EXPECT_EQ(L"*D", QvDbSymbolTableRecord::nameOf(block).left(2));
    EXPECT_FALSE(blocks.contains(block));
    blocks.append(block);
    EXPECT_EQ(6, entitiesOf(block).length());
  }
  // The file's block counts as current: a change of colour keeps it, a moved point refills it.
  const QvDbObjectId readAligned = sameHandleIn(read, lengths[1]);
  const QvDbObjectIdArray fromFile = entitiesOf(blocks[1]);
  {
    QvDbObjectPointer<QvDbAlignedDimension> aligned(readAligned, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, aligned->setColorIndex(5));
  }
  EXPECT_EQ(fromFile, entitiesOf(blocks[1]));
  {
    QvDbObjectPointer<QvDbAlignedDimension> aligned(readAligned, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, aligned->setXLine1Point(QvGePoint3d(0, 0, 1)));
  }
  EXPECT_EQ(blocks[1],
            QvDbObjectPointer<QvDbAlignedDimension>(readAligned, QvDb::kForRead)->dimBlockId());
  EXPECT_NE(fromFile, entitiesOf(blocks[1]));
  EXPECT_EQ(6, entitiesOf(blocks[1]).length());
  EXPECT_TRUE(nothingLeftOpen(&read));
}

class DxfEzdxfVersionTest : public DxfEzdxfTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(DxfEzdxfVersionTest, ADrawingWrittenByEzdxfOpensHereAndIsWrittenBackAlike) {
  EXPECT_TRUE(kProbe.readMade(folder_, {GetParam()}).db);
}

// R2018 is read so in DxfAnnotationsTest, which checks the annotations of that drawing further.
INSTANTIATE_TEST_SUITE_P(Versions, DxfEzdxfVersionTest,
                         ::testing::Values("R12", "R2000", "R2004", "R2007", "R2010", "R2013"));
