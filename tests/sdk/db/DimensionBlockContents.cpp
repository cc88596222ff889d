#include "tests/sdk/db/DimensionBlockContents.h"

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbDimension.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"

constexpr double kTol = 1e-9;

int BlockContents::countJoining(const QvGePoint3d& a, const QvGePoint3d& b) const {
  int n = 0;
  for (const QvGeLineSeg3d& line : lines) {
    const QvGePoint3d s = line.startPoint(), e = line.endPoint();
    if ((s.distanceTo(a) < kTol && e.distanceTo(b) < kTol) ||
        (s.distanceTo(b) < kTol && e.distanceTo(a) < kTol))
      ++n;
  }
  return n;
}

const std::array<QvGePoint3d, 3>* BlockContents::arrowAt(const QvGePoint3d& tip) const {
  for (const auto& arrow : arrows)
    if (arrow[0].distanceTo(tip) < kTol) return &arrow;
  return nullptr;
}

bool BlockContents::hasLineFromTowards(const QvGePoint3d& a, const QvGePoint3d& b) const {
  const QvGeVector3d dir = (b - a).normal();
  for (const QvGeLineSeg3d& line : lines) {
    for (const auto& [p, q] : {std::pair(line.startPoint(), line.endPoint()),
                               std::pair(line.endPoint(), line.startPoint())}) {
      if (p.distanceTo(a) <= kTol && (q - p).normal().isEqualTo(dir)) return true;
    }
  }
  return false;
}

BlockContents contentsOf(QvDbObjectId blockId) {
  BlockContents contents;
  contents.name = QvDbSymbolTableRecord::nameOf(blockId);
  contents.ids = entitiesOf(blockId);
  for (const QvDbObjectId& id : contents.ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    if (entity->layer() == L"0" && entity->colorIndex() == QvDbEntity::kColorByBlock)
      ++contents.onLayerZeroByBlock;
    if (const auto* line = QvDbLine::cast(entity.object())) {
      contents.lines.emplace_back(line->startPoint(), line->endPoint());
    } else if (const auto* arc = QvDbArc::cast(entity.object())) {
      contents.arcs.push_back({arc->center(), arc->radius()});
    } else if (const auto* solid = QvDbSolid::cast(entity.object())) {
      std::array<QvGePoint3d, 3> corners;
      for (int i = 0; i < 3; ++i) solid->getPointAt(i, corners[i]);
      QvGePoint3d fourth;
      solid->getPointAt(3, fourth);
      EXPECT_EQ(fourth, corners[2]) << "an arrowhead is a triangle";
      contents.arrows.push_back(corners);
    } else if (const auto* text = QvDbMText::cast(entity.object())) {
      contents.texts.push_back(text->text());
      contents.textLocations.push_back(text->location());
      contents.textDirections.push_back(text->direction());
    }
  }
  return contents;
}

QvDbObjectId dimBlockOf(QvDbObjectId dimensionId) {
  QvDbObjectPointer<QvDbDimension> dimension(dimensionId, QvDb::kForRead);
  return dimension ? dimension->dimBlockId() : QvDbObjectId();
}

BlockContents drawnIn(QvDbObjectId dimensionId) {
  const QvDbObjectId blockId = dimBlockOf(dimensionId);
  EXPECT_FALSE(blockId.isNull());
  return contentsOf(blockId);
}

void expectDrawing(QvDbEntity* dimension, int polylines, int polygons, int arcs,
                   const wchar_t* text) {
  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(dimension);
  EXPECT_EQ(polylines, recorder.count(QvGiWorldDrawRecorder::kPolyline));
  EXPECT_EQ(polygons, recorder.count(QvGiWorldDrawRecorder::kPolygon));
  EXPECT_EQ(arcs, recorder.count(QvGiWorldDrawRecorder::kCircularArc));
  ASSERT_EQ(1, recorder.count(QvGiWorldDrawRecorder::kText));
  for (const auto& primitive : recorder.primitives())
    if (primitive.kind == QvGiWorldDrawRecorder::kText) {
      EXPECT_EQ(text, primitive.text);
    }
}
