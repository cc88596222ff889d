// Regions on the modeler: made from loose curves, measured, combined, exploded and moved; the
// expected values are worked out by hand from the shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "sdk/rx/VexaProductName.h"
#include "tests/support/HostFixture.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-4;

using Curves = std::vector<std::unique_ptr<QvDbCurve>>;

QvArray<QvDbCurve*> pointers(const Curves& curves) {
  QvArray<QvDbCurve*> out;
  for (const auto& c : curves) out.append(c.get());
  return out;
}

// The four sides of a square, scrambled in order and direction.
Curves square(double x0, double y0, double side, double z = 0.0) {
  const QvGePoint3d a(x0, y0, z), b(x0 + side, y0, z), c(x0 + side, y0 + side, z),
      d(x0, y0 + side, z);
  Curves out;
  out.push_back(std::make_unique<QvDbLine>(a, b));
  out.push_back(std::make_unique<QvDbLine>(d, c));  // top, backwards
  out.push_back(std::make_unique<QvDbLine>(a, d));  // left, backwards
  out.push_back(std::make_unique<QvDbLine>(b, c));
  return out;
}

// Lines from corner to corner, closed back to the first.
Curves polygon(std::initializer_list<QvGePoint3d> corners) {
  const std::vector<QvGePoint3d> at(corners);
  Curves out;
  for (size_t i = 0; i < at.size(); ++i)
    out.push_back(std::make_unique<QvDbLine>(at[i], at[(i + 1) % at.size()]));
  return out;
}

Curves circle(double x, double y, double r) {
  Curves out;
  out.push_back(std::make_unique<QvDbCircle>(QvGePoint3d(x, y, 0), QvGeVector3d::kZAxis, r));
  return out;
}

double areaOf(const QvDbRegion& region) {
  double area = -1.0;
  EXPECT_EQ(Vexa::eOk, region.getArea(area));
  return area;
}

}  // namespace

class RegionTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(qvrxDynamicLinker()->loadModule(L"Xq3dCmds.qrx", false));
  }
  // A region from the curves; null (with the status) when refused.
  std::unique_ptr<QvDbRegion> region(const Curves& curves, Vexa::ErrorStatus expected = Vexa::eOk) {
    QvDbRegion* made = nullptr;
    EXPECT_EQ(expected, spaCreateOneRegionFromCurves(pointers(curves), made, false, true, kTol));
    EXPECT_EQ(expected == Vexa::eOk, made != nullptr);
    return std::unique_ptr<QvDbRegion>(made);
  }
  // The square [0, 10]^2 less the disc of radius 2 about its middle.
  std::unique_ptr<QvDbRegion> plateWithHole() {
    auto plate = region(square(0, 0, 10));
    auto hole = region(circle(5, 5, 2));
    EXPECT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolSubtract, hole.get()));
    return plate;
  }
};

TEST_F(RegionTest, TheModelerIsThereOnlyWhileItsModuleIsLoaded) {
  wchar_t prefix[1024];
  ASSERT_EQ(2, GetVexaProductPreName(prefix, 1024));
  EXPECT_EQ(std::wstring(L"Xq"), prefix);
  EXPECT_EQ(0, GetVexaProductPreName(prefix, 2));  // no room for the terminator

  EXPECT_NE(nullptr, VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler());
  ASSERT_TRUE(qvrxDynamicLinker()->unloadModule(L"Xq3dCmds.qrx"));
  EXPECT_EQ(nullptr, VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler());
  region(square(0, 0, 1), Vexa::eNotApplicable);
}

TEST_F(RegionTest, AClosedChainInAnyOrderMakesOneRegionAndOthersAreRefused) {
  auto r = region(square(0, 0, 10));
  ASSERT_TRUE(r);
  EXPECT_NEAR(100.0, areaOf(*r), 1e-9);
  double perimeter = 0.0;
  ASSERT_EQ(Vexa::eOk, r->getPerimeter(perimeter));
  EXPECT_NEAR(40.0, perimeter, 1e-9);
  QvGeVector3d normal;
  ASSERT_EQ(Vexa::eOk, r->getNormal(normal));
  EXPECT_TRUE(normal.isEqualTo(QvGeVector3d::kZAxis));

  // Gaps within the tolerance are closed; wider ones are refused.
  Curves gapped = square(0, 0, 10);
  gapped[0] = std::make_unique<QvDbLine>(QvGePoint3d(0, 0, 0), QvGePoint3d(10 - 5e-5, 0, 0));
  auto closed = region(gapped);
  ASSERT_TRUE(closed);
  EXPECT_NEAR(100.0, areaOf(*closed), 1e-3);
  gapped[0] = std::make_unique<QvDbLine>(QvGePoint3d(0, 0, 0), QvGePoint3d(10 - 1e-3, 0, 0));
  region(gapped, Vexa::eInvalidInput);

  Curves open = square(0, 0, 10);
  open.pop_back();
  region(open, Vexa::eInvalidInput);
  Curves two = square(0, 0, 1);
  for (auto& c : square(5, 5, 1)) two.push_back(std::move(c));
  region(two, Vexa::eInvalidInput);
  // A bow tie crosses itself.
  region(polygon({{0, 0, 0}, {4, 4, 0}, {4, 0, 0}, {0, 4, 0}}), Vexa::eInvalidInput);
  // Not planar.
  Curves bent = square(0, 0, 4);
  bent[3] = std::make_unique<QvDbLine>(QvGePoint3d(4, 0, 0), QvGePoint3d(4, 4, 1));
  bent[1] = std::make_unique<QvDbLine>(QvGePoint3d(0, 4, 0), QvGePoint3d(4, 4, 1));
  region(bent, Vexa::eInvalidInput);
  const Curves unit = square(0, 0, 1);
  QvArray<QvDbCurve*> withNull = pointers(unit);
  withNull.append(nullptr);
  QvDbRegion* none = nullptr;
  EXPECT_EQ(Vexa::eInvalidInput, spaCreateOneRegionFromCurves(withNull, none, false, true, kTol));
  EXPECT_EQ(nullptr, none);
}

TEST_F(RegionTest, CurvedBoundariesHaveTheirExactAreas) {
  EXPECT_NEAR(kPi * 9.0, areaOf(*region(circle(1, 2, 3))), 1e-9);

  Curves ellipse;
  ellipse.push_back(std::make_unique<QvDbEllipse>(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis,
                                                  QvGeVector3d(0, 4, 0), 0.5));
  EXPECT_NEAR(kPi * 4.0 * 2.0, areaOf(*region(ellipse)), 1e-9);

  // A polyline of a 4 x 2 rectangle whose right side is a half circle outwards.
  Curves rounded;
  auto* pline = new QvDbPolyline();
  pline->addVertexAt(0, {0, 0});
  pline->addVertexAt(1, {4, 0}, 1.0);
  pline->addVertexAt(2, {4, 2});
  pline->addVertexAt(3, {0, 2});
  pline->setClosed(true);
  rounded.emplace_back(pline);
  auto roundedRegion = region(rounded);
  EXPECT_NEAR(8.0 + kPi / 2.0, areaOf(*roundedRegion), 1e-9);
  // Exploded: a chain of three lines and an arc whose ends meet the lines'.
  QvArray<QvDbEntity*> pieces;
  ASSERT_EQ(Vexa::eOk, roundedRegion->explode(pieces));
  std::vector<std::unique_ptr<QvDbCurve>> owned;
  for (QvDbEntity* e : pieces) owned.emplace_back(QvDbCurve::cast(e));
  ASSERT_EQ(4, static_cast<int>(owned.size()));
  std::vector<QvGePoint3d> ends;
  for (const auto& piece : owned) {
    ASSERT_TRUE(piece);
    QvGePoint3d a, b;
    piece->getStartPoint(a);
    piece->getEndPoint(b);
    ends.push_back(a);
    ends.push_back(b);
  }
  // Every end meets an end of another piece.
  for (size_t i = 0; i < ends.size(); ++i) {
    double nearest = 1.0;
    for (size_t j = 0; j < ends.size(); ++j)
      if (j / 2 != i / 2) nearest = std::min(nearest, ends[i].distanceTo(ends[j]));
    EXPECT_LT(nearest, 1e-12) << "end " << i;
  }
}

TEST_F(RegionTest, BooleansGiveHolesPiecesAndEmptyRegions) {
  auto plate = region(square(0, 0, 10));
  auto hole = region(circle(5, 5, 2));
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolSubtract, hole.get()));
  EXPECT_TRUE(hole->isNull());  // consumed
  EXPECT_NEAR(100.0 - 4.0 * kPi, areaOf(*plate), 1e-9);
  EXPECT_EQ(1, plate->numFaces());

  // Two apart squares make one region of two faces, each exploding into a region.
  auto pair = region(square(0, 0, 1));
  auto far = region(square(5, 0, 2));
  ASSERT_EQ(Vexa::eOk, pair->booleanOper(QvDbRegion::kBoolUnite, far.get()));
  EXPECT_EQ(2, pair->numFaces());
  EXPECT_NEAR(5.0, areaOf(*pair), 1e-9);
  QvArray<QvDbEntity*> parts;
  ASSERT_EQ(Vexa::eOk, pair->explode(parts));
  ASSERT_EQ(2, parts.length());
  double sum = 0.0;
  for (QvDbEntity* e : parts) {
    std::unique_ptr<QvDbEntity> owned(e);
    ASSERT_TRUE(QvDbRegion::cast(e));
    sum += areaOf(*QvDbRegion::cast(e));
  }
  EXPECT_NEAR(5.0, sum, 1e-9);

  // Overlapping squares unite into one face; taking a bigger square away leaves nothing.
  auto a = region(square(0, 0, 2));
  auto b = region(square(1, 1, 2));
  ASSERT_EQ(Vexa::eOk, a->booleanOper(QvDbRegion::kBoolUnite, b.get()));
  EXPECT_EQ(1, a->numFaces());
  EXPECT_NEAR(7.0, areaOf(*a), 1e-9);
  auto cover = region(square(-1, -1, 5));
  ASSERT_EQ(Vexa::eOk, a->booleanOper(QvDbRegion::kBoolSubtract, cover.get()));
  EXPECT_TRUE(a->isNull());

  // Regions of different planes do not combine; neither changes.
  auto low = region(square(0, 0, 2));
  auto high = region(square(0, 0, 2, 1.0));
  EXPECT_EQ(Vexa::eNotApplicable, low->booleanOper(QvDbRegion::kBoolUnite, high.get()));
  EXPECT_NEAR(4.0, areaOf(*high), 1e-9);
  EXPECT_EQ(Vexa::eInvalidInput, low->booleanOper(QvDbRegion::kBoolUnite, low.get()));
}

TEST_F(RegionTest, AreaPropertiesInAFrame) {
  // The rectangle [0, 4] x [0, 2], in the frame at (1, 1): x in [-1, 3], y in [-1, 1].
  auto r = region(polygon({{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {0, 2, 0}}));
  double perimeter, area, moments[2], product, principal[2], radii[2];
  QvGePoint2d centroid, low, high;
  QvGeVector2d axes[2];
  ASSERT_EQ(Vexa::eOk, r->getAreaProp({1, 1, 0}, {2, 0, 0}, {0, 3, 0}, perimeter, area, centroid,
                                      moments, product, principal, axes, radii, low, high));
  EXPECT_NEAR(12.0, perimeter, 1e-9);
  EXPECT_NEAR(8.0, area, 1e-9);
  EXPECT_TRUE(centroid.isEqualTo({1, 0}));
  EXPECT_NEAR(8.0 / 3.0, moments[0], 1e-9);   // integral of y^2
  EXPECT_NEAR(56.0 / 3.0, moments[1], 1e-9);  // integral of x^2
  EXPECT_NEAR(0.0, product, 1e-9);
  EXPECT_NEAR(32.0 / 3.0, std::max(principal[0], principal[1]), 1e-9);
  EXPECT_NEAR(8.0 / 3.0, std::min(principal[0], principal[1]), 1e-9);
  EXPECT_NEAR(std::sqrt(1.0 / 3.0), radii[0], 1e-9);
  EXPECT_TRUE(low.isEqualTo({-1, -1}));
  EXPECT_TRUE(high.isEqualTo({3, 1}));
  EXPECT_EQ(Vexa::eInvalidInput,
            r->getAreaProp({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, perimeter, area, centroid, moments,
                           product, principal, axes, radii, low, high));
}

TEST_F(RegionTest, ExplodedLoopsMeetExactlyAndTransformsKeepTheShape) {
  auto plate = plateWithHole();
  QvArray<QvDbEntity*> pieces;
  ASSERT_EQ(Vexa::eOk, plate->explode(pieces));
  std::vector<std::unique_ptr<QvDbEntity>> owned;
  for (QvDbEntity* e : pieces) owned.emplace_back(e);
  ASSERT_EQ(5, pieces.length());
  // The outer loop first, as a chain whose lines share their ends exactly.
  for (int i = 0; i < 4; ++i) {
    const QvDbLine* line = QvDbLine::cast(pieces[i]);
    const QvDbLine* next = QvDbLine::cast(pieces[(i + 1) % 4]);
    ASSERT_TRUE(line && next);
    EXPECT_EQ(line->endPoint().x, next->startPoint().x);
    EXPECT_EQ(line->endPoint().y, next->startPoint().y);
  }
  // A copy is a region of its own: combining the original leaves it as it was.
  std::unique_ptr<QvDbRegion> copy(QvDbRegion::cast(plate->clone()));
  ASSERT_TRUE(copy);
  auto more = region(square(20, 0, 1));
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolUnite, more.get()));
  EXPECT_NEAR(100.0 - 4.0 * kPi, areaOf(*copy), 1e-9);
  EXPECT_EQ(1, copy->numFaces());

  const QvDbCircle* rim = QvDbCircle::cast(pieces[4]);
  ASSERT_TRUE(rim);
  EXPECT_NEAR(2.0, rim->radius(), 1e-12);

  // Turned, moved and doubled: four times the area, the normal turned along.
  const QvGeMatrix3d m = QvGeMatrix3d::translation({3, 4, 5}) *
                         QvGeMatrix3d::rotation(kPi / 2, QvGeVector3d::kXAxis) *
                         QvGeMatrix3d::scaling(2.0);
  ASSERT_EQ(Vexa::eOk, plate->transformBy(m));
  EXPECT_NEAR(4.0 * (101.0 - 4.0 * kPi), areaOf(*plate), 1e-8);
  QvGePlane plane;
  QvDb::Planarity planarity;
  ASSERT_EQ(Vexa::eOk, plate->getPlane(plane, planarity));
  EXPECT_TRUE(plane.normal().isParallelTo(QvGeVector3d::kYAxis));
  EXPECT_NEAR(0.0, plane.signedDistanceTo({3, 4, 5}), 1e-9);
  QvGeMatrix3d stretch;
  stretch.entry[1][1] = 3.0;
  EXPECT_EQ(Vexa::eNotApplicable, plate->transformBy(stretch));
}

TEST_F(RegionTest, RegionsTouchWhenTheyShareAPoint) {
  auto a = region(square(0, 0, 2));
  auto* imp = static_cast<QvDbRegionImp*>(QvDbSystemInternals::getImpObject(a.get()));
  ASSERT_TRUE(imp);
  EXPECT_TRUE(imp->isIntersectWithRegion(region(square(2, 0, 2)).get(), false));  // a side
  EXPECT_TRUE(imp->isIntersectWithRegion(region(square(2, 2, 1)).get(), false));  // a corner
  EXPECT_TRUE(imp->isIntersectWithRegion(region(circle(1, 1, 0.5)).get(), false));
  EXPECT_FALSE(imp->isIntersectWithRegion(region(square(2.01, 0, 1)).get(), false));
  EXPECT_FALSE(imp->isIntersectWithRegion(nullptr, false));
}

TEST_F(RegionTest, RegionsInOneAnothersBoxTouchOnlyWhereTheyMeet) {
  // An L of side 4 and width 1: squares in its notch lie in its box without touching it,
  // unless they reach its inner corner (exactly, or within a millionth of the size).
  auto l = region(polygon({{0, 0, 0}, {4, 0, 0}, {4, 1, 0}, {1, 1, 0}, {1, 4, 0}, {0, 4, 0}}));
  auto* imp = static_cast<QvDbRegionImp*>(QvDbSystemInternals::getImpObject(l.get()));
  ASSERT_TRUE(imp);
  EXPECT_FALSE(imp->isIntersectWithRegion(region(square(2, 2, 1)).get(), false));
  EXPECT_FALSE(imp->isIntersectWithRegion(region(square(1.001, 1.001, 1)).get(), false));
  EXPECT_TRUE(imp->isIntersectWithRegion(region(square(1, 1, 1)).get(), false));
  EXPECT_TRUE(imp->isIntersectWithRegion(region(square(1 + 1e-9, 1 + 1e-9, 1)).get(), false));
  // No shared corner, a shared stretch of side.
  EXPECT_TRUE(imp->isIntersectWithRegion(region(square(2, 1, 0.5)).get(), false));
}

TEST_F(RegionTest, ARayMeetsEveryLoopOfARegion) {
  auto plate = plateWithHole();
  const QvDbRay ray({-1, 5, 0}, {1, 0, 0});
  QvGePoint3dArray points;
  ASSERT_EQ(Vexa::eOk, plate->intersectWith(&ray, QvDb::kOnBothOperands, points));
  ASSERT_EQ(4, points.length());
  double xs[4];
  for (int i = 0; i < 4; ++i) xs[i] = points[i].x;
  std::sort(xs, xs + 4);
  EXPECT_NEAR(0.0, xs[0], 1e-9);
  EXPECT_NEAR(3.0, xs[1], 1e-9);
  EXPECT_NEAR(7.0, xs[2], 1e-9);
  EXPECT_NEAR(10.0, xs[3], 1e-9);
}
