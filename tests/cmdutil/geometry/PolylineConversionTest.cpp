// 2D polylines copied into lightweight polylines: vertices, bulges, widths, identifiers,
// settings, extended data, and the refusals that leave the target alone.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using Vexa::eOk;

// A new 2D polyline of plain vertices (x, y, bulge, start width, end width), open.
std::unique_ptr<QvDb2dPolyline> polylineOf(std::initializer_list<std::array<double, 5>> vertices) {
  auto polyline = std::make_unique<QvDb2dPolyline>();
  for (const auto& v : vertices)
    EXPECT_EQ(
        polyline->appendVertex(new QvDb2dVertex(QvGePoint3d(v[0], v[1], 0), v[2], v[3], v[4])),
        eOk);
  return polyline;
}

class PolylineConversionTest : public HostFixture {};

TEST_F(PolylineConversionTest, VerticesSettingsAndConstantWidth) {
  auto source = polylineOf({{0, 0, 0.0, 0.5, 0.5}, {4, 0, 1.0, 0.5, 0.5}, {4, 4, 0.0, 0.5, 0.5}});
  ASSERT_EQ(source->setClosed(true), eOk);
  ASSERT_EQ(source->setLinetypeGenerationOn(), eOk);
  ASSERT_EQ(source->setElevation(2.5), eOk);
  ASSERT_EQ(source->setThickness(0.75), eOk);
  ASSERT_EQ(source->setNormal(QvGeVector3d(0, 1, 1)), eOk);
  ASSERT_EQ(source->setColorIndex(3), eOk);
  const QvRbListPtr xdata(qvutBuildList(1001, L"ACME", 1000, L"outline", 0));
  ASSERT_EQ(source->setXData(xdata.get()), eOk);

  QvDbPolyline target;
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, source.get(), false), eOk);
  ASSERT_EQ(target.numVerts(), 3u);
  QvGePoint2d point;
  double bulge = 0;
  const QvGePoint2d expected[] = {{0, 0}, {4, 0}, {4, 4}};
  for (unsigned int i = 0; i < 3; ++i) {
    ASSERT_EQ(target.getPointAt(i, point), eOk);
    EXPECT_TRUE(point.isEqualTo(expected[i]));
  }
  ASSERT_EQ(target.getBulgeAt(1, bulge), eOk);
  EXPECT_EQ(bulge, 1.0);
  double width = 0;
  ASSERT_EQ(target.getConstantWidth(width), eOk);
  EXPECT_EQ(width, 0.5);
  EXPECT_TRUE(target.isClosed());
  EXPECT_TRUE(target.hasPlinegen());
  EXPECT_EQ(target.elevation(), 2.5);
  EXPECT_EQ(target.thickness(), 0.75);
  EXPECT_NEAR(target.normal().dotProduct(QvGeVector3d(0, 1, 1).normal()), 1.0, 1e-12);
  EXPECT_EQ(target.colorIndex(), 3);
  const QvRbListPtr copied(target.xData(L"ACME"));
  ASSERT_TRUE(copied);
  ASSERT_TRUE(copied->next);
  EXPECT_EQ(QvString(copied->next->value.string), QvString(L"outline"));

  // The same world geometry: both polylines pass through the same points.
  for (double param : {0.5, 1.5, 2.25}) {
    QvGePoint3d a, b;
    ASSERT_EQ(source->getPointAtParam(param, a), eOk);
    ASSERT_EQ(target.getPointAtParam(param, b), eOk);
    EXPECT_POINT_NEAR(a, b);
  }
}

TEST_F(PolylineConversionTest, ExtendedDataReachesADrawingWithoutItsApplication) {
  auto source = polylineOf({{0, 0, 0.0, 0, 0}, {4, 0, 0.0, 0, 0}});
  const QvRbListPtr xdata(qvutBuildList(1001, L"FENCEAPP", 1000, L"oak", 0));
  ASSERT_EQ(source->setXData(xdata.get()), eOk);
  // The target belongs to another drawing, which has never heard of FENCEAPP.
  QvDbDatabase other(true, true);
  QvDbObjectId targetId;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(other.modelSpaceId(), QvDb::kForWrite);
    auto* made = new QvDbPolyline();
    made->addVertexAt(0, QvGePoint2d(9, 9));
    ASSERT_EQ(space->appendQvDbEntity(targetId, made), eOk);
    made->close();
  }
  QvDbObjectPointer<QvDbPolyline> target(targetId, QvDb::kForWrite);
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(target.object(), source.get(), false), eOk);
  const QvRbListPtr copied(target->xData(L"FENCEAPP"));
  ASSERT_TRUE(copied);
  ASSERT_TRUE(copied->next);
  EXPECT_EQ(QvString(copied->next->value.string), QvString(L"oak"));
  EXPECT_EQ(target->numVerts(), 2u);
  target.close();
  QvDbRegAppTable* apps = nullptr;
  ASSERT_EQ(other.getSymbolTable(apps, QvDb::kForRead), eOk);
  EXPECT_TRUE(apps->has(L"FENCEAPP"));
  apps->close();
}

TEST_F(PolylineConversionTest, PerVertexWidthsIdentifiersAndSkippedControlVertices) {
  auto source = polylineOf({{0, 0, 0, 0.5, 0.5}, {2, 0, 0, 0.2, 0.6}, {2, 2, 0, 0.5, 0.5}});
  auto* control = new QvDb2dVertex(QvGePoint3d(9, 9, 0));
  ASSERT_EQ(control->setVertexType(k2dSplineCtlVertex), eOk);
  ASSERT_EQ(source->appendVertex(control), eOk);
  auto* identified = new QvDb2dVertex(QvGePoint3d(0, 2, 0), 0.0, 0.5, 0.5, 0.0, 7);
  ASSERT_EQ(source->appendVertex(identified), eOk);

  // A target that had vertices of its own ends up with the copy alone.
  QvDbPolyline target;
  for (unsigned int i = 0; i < 6; ++i) target.addVertexAt(i, QvGePoint2d(i, -1.0));
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, source.get(), true), eOk);
  ASSERT_EQ(target.numVerts(), 4u);
  double startWidth = 0, endWidth = 0, width = 0;
  EXPECT_EQ(target.getConstantWidth(width), Vexa::eNotApplicable);
  ASSERT_EQ(target.getWidthsAt(1, startWidth, endWidth), eOk);
  EXPECT_EQ(startWidth, 0.2);
  EXPECT_EQ(endWidth, 0.6);
  ASSERT_EQ(target.getWidthsAt(3, startWidth, endWidth), eOk);
  EXPECT_EQ(startWidth, 0.5);
  EXPECT_EQ(target.vertexIdentifierAt(3), 7);
  EXPECT_EQ(target.vertexIdentifierAt(0), 0);
  QvGePoint2d last;
  ASSERT_EQ(target.getPointAt(3, last), eOk);
  EXPECT_TRUE(last.isEqualTo(QvGePoint2d(0, 2)));

  // All vertices of one constant width but a different start: per-vertex widths again.
  auto uneven = polylineOf({{0, 0, 0, 0.5, 0.5}, {2, 0, 0, 0.25, 0.25}});
  QvDbPolyline second;
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&second, uneven.get(), true), eOk);
  EXPECT_EQ(second.getConstantWidth(width), Vexa::eNotApplicable);
  ASSERT_EQ(second.getWidthsAt(1, startWidth, endWidth), eOk);
  EXPECT_EQ(startWidth, 0.25);
}

// Only control vertices are left out: the vertices made by spline and curve fitting are the
// polyline's shape and are kept in their order.
TEST_F(PolylineConversionTest, FittedVerticesAreKept) {
  QvDb2dPolyline source;
  const struct {
    double x, y;
    QvDb2dVertexType type;
  } vertices[] = {{0, 0, k2dVertex},          {1, 5, k2dSplineCtlVertex},
                  {2, 1, k2dSplineFitVertex}, {3, 5, k2dSplineCtlVertex},
                  {4, 2, k2dCurveFitVertex},  {5, 0, k2dVertex}};
  for (const auto& v : vertices) {
    auto* vertex = new QvDb2dVertex(QvGePoint3d(v.x, v.y, 0));
    ASSERT_EQ(vertex->setVertexType(v.type), eOk);
    ASSERT_EQ(source.appendVertex(vertex), eOk);
  }
  QvDbPolyline target;
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, &source, false), eOk);
  ASSERT_EQ(target.numVerts(), 4u);
  const QvGePoint2d expected[] = {{0, 0}, {2, 1}, {4, 2}, {5, 0}};
  for (unsigned int i = 0; i < 4; ++i) {
    QvGePoint2d at;
    ASSERT_EQ(target.getPointAt(i, at), eOk);
    EXPECT_TRUE(at.isEqualTo(expected[i])) << i;
  }
}

// In the drawing: a kept vertex with extended data stops the copy unless the data may be lost;
// a spline control vertex is left out before its data is looked at and stops nothing. Either way
// every vertex opened is closed again.
TEST_F(PolylineConversionTest, ExtendedDataOnAVertex) {
  addRegApp(db(), L"ACME");
  const QvRbListPtr xdata(qvutBuildList(1001, L"ACME", 1070, 5, 0));
  auto made = polylineOf({{0, 0, 0, 0, 0}, {3, 0, 0, 0, 0}, {3, 3, 0, 0, 0}});
  auto* control = new QvDb2dVertex(QvGePoint3d(9, 9, 0));
  ASSERT_EQ(control->setVertexType(k2dSplineCtlVertex), eOk);
  ASSERT_EQ(control->setXData(xdata.get()), eOk);
  ASSERT_EQ(made->appendVertex(control), eOk);
  const QvDbObjectId polylineId = appendToModelSpace(db(), made.release());
  ASSERT_FALSE(polylineId.isNull());
  QvDbPolyline target;
  {
    QvDbObjectPointer<QvDb2dPolyline> polyline(polylineId, QvDb::kForRead);
    ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, polyline.object(), false), eOk);
    EXPECT_EQ(target.numVerts(), 3u);
    std::unique_ptr<QvDbObjectIterator> vertices(polyline->vertexIterator());
    vertices->start();
    vertices->step();
    QvDbObjectPointer<QvDb2dVertex> second(vertices->objectId(), QvDb::kForWrite);
    ASSERT_EQ(second->setXData(xdata.get()), eOk);
  }

  QvDbObjectPointer<QvDb2dPolyline> source(polylineId, QvDb::kForRead);
  target.addVertexAt(3, QvGePoint2d(7, 7));
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, source.object(), false), Vexa::eNotApplicable);
  EXPECT_EQ(target.numVerts(), 4u);  // untouched
  EXPECT_EQ(db()->numOpenObjects(), 1);
  ASSERT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, source.object(), true), eOk);
  EXPECT_EQ(target.numVerts(), 3u);
  EXPECT_EQ(db()->numOpenObjects(), 1);  // the source alone
}

TEST_F(PolylineConversionTest, OnlyExactClassesAreTaken) {
  auto source = polylineOf({{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}});
  QvDbPolyline target;
  QvDbPolyline otherSource;
  otherSource.addVertexAt(0, QvGePoint2d(0, 0));
  QvDbLine line(QvGePoint3d(), QvGePoint3d(1, 0, 0));
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(nullptr, source.get(), true), Vexa::eInvalidInput);
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, nullptr, true), Vexa::eInvalidInput);
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(&target, &otherSource, true), Vexa::eInvalidInput);
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(&line, source.get(), true), Vexa::eInvalidInput);
  EXPECT_EQ(target.numVerts(), 0u);
  EXPECT_EQ(line.endPoint(), QvGePoint3d(1, 0, 0));

  // A target in the drawing must be open for write: refused, not reported as done.
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbPolyline());
  QvDbObjectPointer<QvDbPolyline> readOnly(id, QvDb::kForRead);
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(readOnly.object(), source.get(), true),
            Vexa::eNotOpenForWrite);
  EXPECT_EQ(readOnly->numVerts(), 0u);
  readOnly.close();
  QvDbObjectPointer<QvDbPolyline> writable(id, QvDb::kForWrite);
  EXPECT_EQ(XqDbUtil::lwPlineFrom2DPline(writable.object(), source.get(), true), eOk);
  EXPECT_EQ(writable->numVerts(), 2u);
}

}  // namespace
