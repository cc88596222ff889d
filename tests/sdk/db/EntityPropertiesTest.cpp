// What every entity has: its properties, the open rules, highlighting and drawing.
#include <gtest/gtest.h>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHeaderValue.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/render/QvGiHighlightLog.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using Vexa::eOk;

class EntityPropertiesTest : public HostFixture {};

TEST_F(EntityPropertiesTest, DatabaseDefaultsComeFromTheDrawing) {
  const QvDbObjectId layer = addLayer(db(), L"WALLS");
  ASSERT_EQ(db()->setClayer(layer), eOk);
  ASSERT_EQ(db()->setHeaderValue(L"CECOLOR", QvDbHeaderValue::ofShort(3)), eOk);
  ASSERT_EQ(db()->setHeaderValue(L"CELTSCALE", QvDbHeaderValue::ofReal(2.5)), eOk);
  QvDbLine line(QvGePoint3d(), QvGePoint3d(1, 0, 0));
  EXPECT_EQ(line.colorIndex(), QvDbEntity::kColorByLayer);
  ASSERT_EQ(line.setDatabaseDefaults(db()), eOk);
  EXPECT_EQ(line.layerId(), layer);
  EXPECT_EQ(line.colorIndex(), 3);
  EXPECT_EQ(line.linetypeScale(), 2.5);
  EXPECT_EQ(line.linetype(), QvString(L"ByLayer"));

  EXPECT_EQ(line.setColorIndex(257), Vexa::eOutOfRange);
  EXPECT_EQ(line.setLinetypeScale(0.0), Vexa::eInvalidInput);
  EXPECT_EQ(line.setLinetype(L"Continuous", db()), eOk);
  EXPECT_EQ(line.linetype(), QvString(L"Continuous"));
  EXPECT_EQ(line.setLinetype(L"NoSuchLinetype", db()), Vexa::eKeyNotFound);
  EXPECT_EQ(line.setLinetype(layer), Vexa::eWrongObjectType);

  QvDbLine copy(QvGePoint3d(), QvGePoint3d(0, 1, 0));
  line.setVisibility(QvDb::kInvisible);
  ASSERT_EQ(copy.setPropertiesFrom(&line), eOk);
  EXPECT_EQ(copy.layerId(), layer);
  EXPECT_EQ(copy.colorIndex(), 3);
  EXPECT_EQ(copy.linetype(), QvString(L"Continuous"));
  EXPECT_EQ(copy.visibility(), QvDb::kInvisible);
  EXPECT_EQ(copy.setPropertiesFrom(nullptr), Vexa::eNullPtr);
}

TEST_F(EntityPropertiesTest, PropertiesReachSubEntitiesWhenAsked) {
  auto* pline =
      new QvDb2dPolyline(k2dSimplePoly, QvGePoint3dArray{QvGePoint3d(), QvGePoint3d(1, 0, 0)});
  const QvDbObjectId id = appendToModelSpace(db(), pline);
  QvDbObjectPointer<QvDb2dPolyline> opened(id, QvDb::kForWrite);
  ASSERT_EQ(opened->setColorIndex(1), eOk);
  ASSERT_EQ(opened->setColorIndex(2, false), eOk);
  for (const QvDbObjectId& vertexId : idsOf(opened->vertexIterator())) {
    QvDbObjectPointer<QvDb2dVertex> vertex(vertexId, QvDb::kForRead);
    EXPECT_EQ(vertex->colorIndex(), 1);  // the second change stayed on the polyline
    EXPECT_EQ(vertex->layerId(), opened->layerId());
  }
  EXPECT_EQ(opened->colorIndex(), 2);
}

TEST_F(EntityPropertiesTest, OperationsFollowTheOpenRules) {
  const QvDbObjectId id =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(), QvGePoint3d(2, 0, 0)));
  {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
    EXPECT_EQ(line->transformBy(QvGeMatrix3d::scaling(2.0)), Vexa::eNotOpenForWrite);
    EXPECT_EQ(line->extend(3.0), Vexa::eNotOpenForWrite);
    EXPECT_EQ(line->reverseCurve(), Vexa::eNotOpenForWrite);
    EXPECT_POINT_NEAR(line->endPoint(), QvGePoint3d(2, 0, 0), 0);
  }
  EXPECT_EQ(db()->accessViolations(), 3);
  db()->clearAccessViolations();
  // Queries of a resident entity that is not open are refused too (and counted).
  QvDbLine* line = nullptr;
  ASSERT_EQ(qvdbOpenObject(line, id, QvDb::kForRead), eOk);
  line->close();
  double end = 0;
  EXPECT_EQ(line->getEndParam(end), Vexa::eNotOpenForRead);
  EXPECT_EQ(db()->accessViolations(), 1);
  db()->clearAccessViolations();
}

TEST_F(EntityPropertiesTest, HighlightIsRecordedAndDrawingCarriesTheTraits) {
  const QvDbObjectId layer = addLayer(db(), L"RED");
  const QvDbObjectId id =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(), QvGePoint3d(2, 0, 0)));
  QvDbObjectPointer<QvDbLine> line(id, QvDb::kForWrite);
  line->setLayer(layer);
  line->setColorIndex(1);
  auto& log = host().service<QvGiHighlightLog>();
  EXPECT_EQ(line->highlight(), eOk);
  EXPECT_EQ(line->highlight(7), eOk);
  EXPECT_TRUE(log.isHighlighted(id));
  EXPECT_TRUE(log.isHighlighted(id, 7));
  EXPECT_EQ(line->unhighlight(), eOk);
  EXPECT_FALSE(log.isHighlighted(id));
  EXPECT_TRUE(log.isHighlighted(id, 7));
  EXPECT_EQ(log.highlightCalls(), 2);
  QvDbLine loose;
  loose.highlight();
  EXPECT_TRUE(log.isHighlighted(&loose));

  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(line.object());
  ASSERT_EQ(recorder.primitives().size(), 1u);
  EXPECT_EQ(recorder.primitives()[0].color, 1);
  EXPECT_EQ(recorder.primitives()[0].layerId, layer);
  EXPECT_EQ(recorder.primitives()[0].kind, QvGiWorldDrawRecorder::kPolyline);
}

}  // namespace
