// 3D solids, surfaces and regions through the module: the internal extension answers their area
// (and a length of 0, or a region's perimeter) as the modeler measures them, the status of a body
// the modeler cannot read, and dimension points come from the solid's edge under the pick or named
// by a marker.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"
#include "tests/support/PolylineShapes.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

constexpr double kPi = std::numbers::pi;
using P = QvGePoint3d;
using Path = XqVector<QvDbObjectId>;

class InternalPEBodies : public InternalPEFixture {
 protected:
  void SetUp() override {
    InternalPEFixture::SetUp();
    ASSERT_TRUE(qvrxDynamicLinker()->loadModule(L"Xq3dCmds.qrx", false));
  }
  void TearDown() override {
    qvrxDynamicLinker()->unloadModule(L"Xq3dCmds.qrx");
    InternalPEFixture::TearDown();
  }
  // Every operation of a body's extension: its area as given, length 0, the rest refused.
  void expectBodyRows(const QvDbEntity& body, double expectedArea) {
    EXPECT_NEAR(expectedArea, area(body), 1e-6);
    EXPECT_EQ(0.0, length(body));
    expectAngleRow(const_cast<QvDbEntity&>(body), Vexa::eNotImplemented, Vexa::eNotImplemented,
                   Vexa::eNotImplemented);
  }
};

TEST_F(InternalPEBodies, EachBodyClassAnswersItsOwnArea) {
  QvDb3dSolid box;
  ASSERT_EQ(Vexa::eOk, box.createBox(1, 2, 3));
  expectBodyRows(box, 2 * (2 + 6 + 3));

  QvDbCircle circle(P(0, 0, 0), QvGeVector3d::kZAxis, 2.0);
  QvDbRegion* made = nullptr;
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves({&circle}, made, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> disc(made);
  QvDb3dSolid cylinder;
  ASSERT_EQ(Vexa::eOk, cylinder.extrude(disc.get(), 5.0));
  expectBodyRows(cylinder, 2 * kPi * 4 + 2 * kPi * 2 * 5);

  QvDbPlaneSurface plane;
  ASSERT_EQ(Vexa::eOk, plane.createFromRegion(disc.get()));
  expectBodyRows(plane, 4 * kPi);

  QvDbLine profile(P(0, 0, 0), P(3, 0, 0)), path(P(0, 0, 0), P(0, 4, 0));
  QvDbSweptSurface swept;
  ASSERT_EQ(Vexa::eOk, swept.createSweptSurface(&profile, &path));
  expectBodyRows(swept, 12.0);

  // Any face of the solid is a surface whose own area is the face's.
  std::unique_ptr<QvDbEntity> face(box.subentPtr(QvDbSubentId(QvDb::kFaceSubentType, 1)));
  ASSERT_TRUE(face);
  const double faceArea = area(*face);
  EXPECT_TRUE(std::fabs(faceArea - 2) < 1e-9 || std::fabs(faceArea - 6) < 1e-9 ||
              std::fabs(faceArea - 3) < 1e-9)
      << faceArea;

  // A surface of another modeler's data: its status, and no area.
  QvDbSurface foreign;
  foreign.setModelerData({{1, "700 0 1 0"}, {1, "body $-1 -1 #"}});
  EXPECT_EQ(0.0, area(foreign, Vexa::eNotApplicable));
  EXPECT_EQ(0.0, length(foreign));
  // Another class handed to a body's extension: wrong class.
  double value = 9.0;
  EXPECT_EQ(Vexa::eNotApplicable, pe(box)->entityArea(&circle, value));
  EXPECT_EQ(0.0, value);
  EXPECT_EQ(Vexa::eNotApplicable, pe(box)->entityArea(nullptr, value));
}

TEST_F(InternalPEBodies, ARegionAnswersItsOwnAreaAndPerimeter) {
  const auto outline = lightweightPolyline({{0, 0}, {8, 0}, {8, 5}, {0, 5}}, {}, true);
  QvDbCircle hole(P(4, 2.5, 0), QvGeVector3d::kZAxis, 1.5);
  QvDbRegion *made = nullptr, *cut = nullptr;
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves({outline.get()}, made, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> plate(made);
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves({&hole}, cut, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> disc(cut);
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolSubtract, disc.get()));

  EXPECT_NEAR(40 - 2.25 * kPi, area(*plate), 1e-6);
  EXPECT_NEAR(26 + 3 * kPi, length(*plate), 1e-6);
  angle(*plate, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotImplemented, setLength(*plate, 1.0, P()));
  // What the subtraction consumed is null: it has no area and no boundary.
  EXPECT_EQ(0.0, area(*disc));
  EXPECT_EQ(0.0, length(*disc));
}

TEST_F(InternalPEBodies, DimensionPointsComeFromTheSolidsEdge) {
  auto* solid = new QvDb3dSolid();
  ASSERT_EQ(Vexa::eOk, solid->createBox(4, 2, 2));  // x -2..2, y -1..1, z -1..1
  const QvDbObjectId id = appendToModelSpace(db(), solid);

  // Picked near the front edge, seen from above: the top one of the two edges there.
  P p1, p2, p3, p4;
  unsigned int segment = 0;
  bool isPolyline = false;
  ASSERT_EQ(kQvNormal, XqDbUtil::getDimensionDefPoints(Path{id}, p1, p2, p3, p4, P(0.5, -1.1, 0),
                                                       QvGeMatrix3d(), segment, isPolyline));
  EXPECT_FALSE(isPolyline);
  EXPECT_NEAR(4.0, p1.distanceTo(p2), 1e-9);
  EXPECT_NEAR(-1.0, p1.y, 1e-9);
  EXPECT_NEAR(1.0, p1.z, 1e-9);
  EXPECT_NEAR(1.0, p2.z, 1e-9);

  // Inside a block reference moved by (10, 0, 0): the same edge in the world.
  const QvDbObjectId block = addBlock(db(), L"BRICK");
  auto* inner = new QvDb3dSolid();
  ASSERT_EQ(Vexa::eOk, inner->createBox(4, 2, 2));
  const QvDbObjectId innerId = appendEntity(block, inner);
  const QvDbObjectId ref = appendToModelSpace(db(), new QvDbBlockReference(P(10, 0, 0), block));
  ASSERT_EQ(kQvNormal,
            XqDbUtil::getDimensionDefPoints(Path{ref, innerId}, p1, p2, p3, p4, P(10.5, -1.1, 0),
                                            QvGeMatrix3d(), segment, isPolyline));
  EXPECT_NEAR(10.0, (p1.x + p2.x) / 2, 1e-9);
  EXPECT_NEAR(-1.0, p1.y, 1e-9);

  // By marker: the edge the marker numbers, through the full sub-entity path.
  for (int64_t marker = 1; marker <= 12; ++marker) {
    int64_t m = marker;
    ASSERT_EQ(kQvNormal, XqDbUtil::getDimensionDefPoints(Path{ref, innerId}, P(), false, false, p1,
                                                         p2, p3, p4, m));
    const double len = p1.distanceTo(p2);
    EXPECT_TRUE(std::fabs(len - 4) < 1e-9 || std::fabs(len - 2) < 1e-9) << marker;
    EXPECT_GE(std::min(p1.x, p2.x), 8.0 - 1e-9);
  }
  int64_t none = 13;
  EXPECT_EQ(kQvRejected,
            XqDbUtil::getDimensionDefPoints(Path{id}, P(), false, false, p1, p2, p3, p4, none));

  // A solid whose modeler data gives no edges is refused.
  auto* foreign = new QvDb3dSolid();
  foreign->setModelerData({{310, "0A0B0C"}});
  const QvDbObjectId foreignId = appendToModelSpace(db(), foreign);
  EXPECT_EQ(kQvRejected, XqDbUtil::getDimensionDefPoints(Path{foreignId}, p1, p2, p3, p4, P(),
                                                         QvGeMatrix3d(), segment, isPolyline));
}

}  // namespace
