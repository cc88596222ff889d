// Hatches: the even-odd area of their loops, plane, associativity, transforms, drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/render/QvGiSvgWriter.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"

namespace {

constexpr double kPi = std::numbers::pi;

double areaOf(const QvDbHatch& hatch) {
  double area = -1.0;
  EXPECT_EQ(Vexa::eOk, hatch.getArea(area));
  return area;
}

QvGePoint3d worldOf(const QvDbHatch& hatch, const QvGePoint2d& p) {
  QvGePoint3d w(p.x, p.y, 0.0);
  return w.transformBy(hatch.planeToWorld());
}

}  // namespace

TEST(HatchTest, LoopsFillEvenOddWhateverTheirFormOrEdgeDirection) {
  // A 10 x 10 square, a hole of radius 3 in it and an island of 2 x 2 in the hole.
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 10, 10));
  addPolylineLoop(*hatch, {{2, 5}, {8, 5}}, {1.0, 1.0}, QvDbHatch::kDefault);
  addPolylineLoop(*hatch, {{4, 4}, {6, 4}, {6, 6}, {4, 6}}, {}, QvDbHatch::kDefault);
  EXPECT_EQ(Vexa::eOk, hatch->evaluateHatch());
  EXPECT_NEAR(100.0 - 9.0 * kPi + 4.0, areaOf(*hatch), 1e-6);
  double perimeter = 0.0;
  EXPECT_EQ(Vexa::eOk, hatch->getPerimeter(perimeter));
  EXPECT_NEAR(40.0 + 6.0 * kPi + 8.0, perimeter, 1e-6);

  // A half disc over a chord, its arc given against the chain (from (-2, 0), not from (2, 0)).
  auto half = solidHatch();
  EdgeList edges;
  edges.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(-2, 0), QvGePoint2d(2, 0)));
  edges.push_back(
      std::make_unique<QvGeCircArc2d>(QvGePoint2d(-2, 0), QvGePoint2d(0, 2), QvGePoint2d(2, 0)));
  addEdgeLoop(*half, edges);
  EXPECT_EQ(Vexa::eOk, half->evaluateHatch());
  EXPECT_NEAR(2.0 * kPi, areaOf(*half), 1e-6);

  // A loop with a gap bridges it but says so; no loop at all has no area.
  auto open = solidHatch();
  EdgeList gap;
  gap.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(0, 0), QvGePoint2d(4, 0)));
  gap.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(4, 0), QvGePoint2d(4, 3)));
  gap.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(3, 3), QvGePoint2d(0, 0)));
  addEdgeLoop(*open, gap);
  EXPECT_EQ(Vexa::eInvalidInput, open->evaluateHatch());
  QvDbHatch none;
  double area = 0.0;
  EXPECT_NE(Vexa::eOk, none.getArea(area));
  EXPECT_NE(Vexa::eOk, none.evaluateHatch());
}

TEST(HatchTest, BadLoopsAreRefusedAndChangeNothing) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 4, 3));
  QvGeLineSeg2d line(QvGePoint2d(0, 0), QvGePoint2d(1, 0));
  QvArray<QvGeCurve2d*> edges;
  QvGeIntArray types;
  edges.append(&line);
  types.append(QvDbHatch::kCirArc);  // not the edge's type
  EXPECT_EQ(Vexa::eInvalidInput, hatch->appendLoop(QvDbHatch::kDefault, edges, types));
  edges.append(nullptr);
  types[0] = QvDbHatch::kLine;
  types.append(QvDbHatch::kLine);
  EXPECT_EQ(Vexa::eInvalidInput, hatch->appendLoop(QvDbHatch::kDefault, edges, types));
  EXPECT_EQ(Vexa::eInvalidInput,
            hatch->appendLoop(QvDbHatch::kDefault, QvGePoint2dArray{{1, 1}}, QvGeDoubleArray()));
  EXPECT_EQ(Vexa::eInvalidInput,
            hatch->appendLoop(QvDbHatch::kDefault, QvGePoint2dArray{{1, 1}, {2, 2}},
                              QvGeDoubleArray{std::nan(""), 0.0}));
  EXPECT_EQ(Vexa::eInvalidIndex, hatch->removeLoopAt(1));
  EXPECT_EQ(1, hatch->numLoops());
  EXPECT_NEAR(12.0, areaOf(*hatch), 1e-9);
  EXPECT_EQ(Vexa::eInvalidInput, hatch->setNormal(QvGeVector3d(0, 0, 0)));
}

TEST(HatchTest, TheElevationIsAHeightAlongTheNormal) {
  const QvGeVector3d normal = QvGeVector3d(1, -2, 3).normal();
  auto hatch = solidHatch(normal, 4.5);
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 2, 1));
  // Every boundary point lies in the plane at 4.5 along the normal.
  const QvGePoint3d corner = worldOf(*hatch, {2, 1});
  EXPECT_NEAR(4.5, corner.asVector().dotProduct(normal), 1e-12);
  QvGePlane plane;
  QvDb::Planarity planarity;
  ASSERT_EQ(Vexa::eOk, hatch->getPlane(plane, planarity));
  EXPECT_EQ(QvDb::kPlanar, planarity);
  EXPECT_TRUE(plane.isOn(corner, QvGeTol(1e-9, 1e-9)));
  QvDbExtents box;
  ASSERT_EQ(Vexa::eOk, hatch->getGeomExtents(box));
  EXPECT_TRUE(box.contains(corner, QvGeTol(1e-9, 1e-9)));

  // A rotation and a move carry the area with them; a non-uniform scale is refused.
  QvGePoint2dArray seeds{{0.5, 0.5}};
  ASSERT_EQ(Vexa::eOk, hatch->setHatchSeedPoints(seeds));
  const QvGePoint3d seedBefore = worldOf(*hatch, {0.5, 0.5});
  const QvGeMatrix3d move = QvGeMatrix3d::translation(QvGeVector3d(3, 0, -1)) *
                            QvGeMatrix3d::rotation(0.7, QvGeVector3d(0, 1, 1), {1, 2, 3});
  ASSERT_EQ(Vexa::eOk, hatch->transformBy(move));
  EXPECT_NEAR(2.0, areaOf(*hatch), 1e-9);
  ASSERT_EQ(Vexa::eOk, hatch->getHatchSeedPoints(seeds));
  EXPECT_POINT_NEAR(QvGePoint3d(seedBefore).transformBy(move), worldOf(*hatch, seeds[0]), 1e-9);
  QvGeMatrix3d stretch;
  stretch.entry[0][0] = 2.0;
  EXPECT_NE(Vexa::eOk, hatch->transformBy(stretch));
  EXPECT_NEAR(2.0, areaOf(*hatch), 1e-9);
}

TEST(HatchTest, PatternsExplodeIntoLinesInsideTheArea) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 10, 4));
  QvArray<QvDbEntity*> pieces;
  EXPECT_NE(Vexa::eOk, hatch->explode(pieces));  // a solid fill has no lines
  ASSERT_EQ(Vexa::eOk, hatch->setPattern(QvDbHatch::kUserDefined, L"_USER"));
  QvArray<QvDbHatchPatternLine> lines;
  lines.append({0.0, {0, 0.5}, {0, 1}, QvGeDoubleArray()});
  ASSERT_EQ(Vexa::eOk, hatch->setPatternDefinitions(lines));
  ASSERT_EQ(Vexa::eOk, hatch->explode(pieces));
  EntityList list(pieces);
  ASSERT_EQ(4, list.count<QvDbLine>());  // y = 0.5, 1.5, 2.5, 3.5
  for (int i = 0; i < list.size(); ++i) {
    const QvDbLine* line = list.as<QvDbLine>(i);
    ASSERT_TRUE(line);
    EXPECT_NEAR(10.0, line->startPoint().distanceTo(line->endPoint()), 1e-9);
  }
}

class HatchInDrawingTest : public HostFixture {};

TEST_F(HatchInDrawingTest, AssociatedObjectsHaveTheHatchAsReactorWhileTheyAreItsBoundary) {
  const QvDbObjectId squareId =
      appendEntity(db()->modelSpaceId(),
                   lightweightPolyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {}, true).release());

  auto hatch = solidHatch();
  QvDbObjectIdArray ids{squareId};
  addPolylineLoop(*hatch, {{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  EXPECT_EQ(Vexa::eNotApplicable, hatch->setHatchAssocObjIdsAt(0, ids));
  ASSERT_EQ(Vexa::eOk, hatch->setAssociative(true));
  ASSERT_EQ(Vexa::eOk, hatch->setHatchAssocObjIdsAt(0, ids));
  const QvDbObjectId hatchId = appendEntity(db()->modelSpaceId(), hatch.release());
  auto isReactor = [&] {
    QvDbObjectPointer<QvDbPolyline> boundary(squareId, QvDb::kForRead);
    return boundary->hasPersistentReactor(hatchId);
  };
  {
    // Touched and closed: the links are made; the hatch never lists itself.
    QvDbObjectPointer<QvDbHatch> open(hatchId, QvDb::kForWrite);
    ids.append(hatchId);
    ASSERT_EQ(Vexa::eOk, open->setHatchAssocObjIdsAt(0, ids));
    open->getAssocObjIdsAt(0, ids);
    EXPECT_EQ(1, ids.length());
  }
  EXPECT_TRUE(isReactor());
  {
    QvDbObjectPointer<QvDbHatch> open(hatchId, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, open->removeLoopAt(0));
  }
  EXPECT_FALSE(isReactor());
}

TEST_F(HatchInDrawingTest, AnIslandIsDrawnAsAHoleOfOneEvenOddArea) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 10, 10));
  addEdgeLoop(*hatch, circleEdges({5, 5}, 2), QvDbHatch::kDefault);
  QvGiWorldDrawRecorder recorder;
  ASSERT_TRUE(recorder.drawTopLevel(hatch.get()));
  ASSERT_EQ(1, recorder.count(QvGiWorldDrawRecorder::kPolyPolygon));
  const auto& area = recorder.primitives().front();
  ASSERT_EQ(2, area.counts.length());
  // The circle's ring follows the circle.
  for (int i = area.counts[0]; i < area.points.length(); ++i)
    EXPECT_NEAR(2.0, area.points[i].distanceTo({5, 5, 0}), 1e-3);

  appendEntity(db()->modelSpaceId(), hatch.release());
  std::ostringstream svg;
  ASSERT_EQ(Vexa::eOk, QvGiSvgWriter::write(db(), L"", svg));
  const std::string text = svg.str();
  const size_t path = text.find("<path d=\"M");
  ASSERT_NE(std::string::npos, path);
  const std::string element = text.substr(path, text.find('>', path) - path);
  EXPECT_NE(std::string::npos, element.find("fill-rule=\"evenodd\""));
  EXPECT_EQ(2, static_cast<int>(std::count(element.begin(), element.end(), 'M')));
}
