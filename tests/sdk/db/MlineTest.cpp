// Multilines: where the elements run (worked out by hand), explode, transforms, picking.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using Vexa::eInvalidIndex;
using Vexa::eInvalidInput;
using Vexa::eOk;

std::unique_ptr<QvDbMline> mlineThrough(std::initializer_list<QvGePoint3d> points,
                                        QvDbMline::Justification justification = QvDbMline::kTop,
                                        double scale = 1.0) {
  auto mline = std::make_unique<QvDbMline>();
  EXPECT_EQ(mline->setJustification(justification), eOk);
  EXPECT_EQ(mline->setScale(scale), eOk);
  for (const QvGePoint3d& p : points) EXPECT_EQ(mline->appendSeg(p), eOk);
  return mline;
}

// The piece of an element on a segment, as two points.
void expectPiece(const QvDbMline& mline, int segment, int element, const QvGePoint3d& from,
                 const QvGePoint3d& to) {
  QvGeLineSeg3d piece;
  ASSERT_EQ(mline.getElementSegment(segment, element, piece), eOk);
  EXPECT_POINT_NEAR(piece.startPoint(), from, 1e-12) << segment << "/" << element;
  EXPECT_POINT_NEAR(piece.endPoint(), to, 1e-12) << segment << "/" << element;
}

TEST(MlineTest, ElementsRunWhereJustificationAndScalePutThem) {
  // Top: the upper element (offset 0.5, on the left) on the vertices, the other 1 below it; at
  // the corner the lower one meets its turn at (11, -1).
  auto top = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
  ASSERT_EQ(top->numSegments(), 2);
  expectPiece(*top, 0, 0, {0, 0, 0}, {10, 0, 0});
  expectPiece(*top, 1, 0, {10, 0, 0}, {10, 5, 0});
  expectPiece(*top, 0, 1, {0, -1, 0}, {11, -1, 0});
  expectPiece(*top, 1, 1, {11, -1, 0}, {11, 5, 0});
  QvDbMline::VertexData corner;
  ASSERT_EQ(top->getVertexData(1, corner), eOk);
  EXPECT_VECTOR_NEAR(corner.miter, QvGeVector3d(-std::sqrt(0.5), std::sqrt(0.5), 0));
  EXPECT_VECTOR_NEAR(corner.direction, QvGeVector3d(0, 1, 0));
  EXPECT_NEAR(corner.params[1].first(), -std::sqrt(2.0), 1e-12);

  // Centred at scale 2: the elements 1 either side; bottom: the lower one on the vertices.
  auto zero = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}, QvDbMline::kZero, 2.0);
  expectPiece(*zero, 0, 0, {0, 1, 0}, {9, 1, 0});
  expectPiece(*zero, 1, 1, {11, -1, 0}, {11, 5, 0});
  auto bottom = mlineThrough({{0, 0, 0}, {10, 0, 0}}, QvDbMline::kBottom);
  expectPiece(*bottom, 0, 0, {0, 1, 0}, {10, 1, 0});
  expectPiece(*bottom, 0, 1, {0, 0, 0}, {10, 0, 0});

  // Three elements from a style; changing the justification moves them again.
  ASSERT_EQ(bottom->setStyle(QvDbObjectId(), {1.0, 0.25, -1.0}), eOk);
  EXPECT_EQ(bottom->numElements(), 3);
  expectPiece(*bottom, 0, 1, {0, 1.25, 0}, {10, 1.25, 0});
  ASSERT_EQ(bottom->setJustification(QvDbMline::kZero), eOk);
  expectPiece(*bottom, 0, 2, {0, -1, 0}, {10, -1, 0});
}

TEST(MlineTest, AClosedMlineTurnsEveryCorner) {
  auto square = mlineThrough({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}});
  ASSERT_EQ(square->setClosedMline(true), eOk);
  ASSERT_EQ(square->numSegments(), 4);
  // Counterclockwise, top justified: the first element on the vertices, the second 1 to the
  // right of the way round, outside.
  expectPiece(*square, 3, 0, {0, 4, 0}, {0, 0, 0});
  expectPiece(*square, 0, 1, {-1, -1, 0}, {5, -1, 0});
  expectPiece(*square, 3, 1, {-1, 5, 0}, {-1, -1, 0});

  // Exploded: eight lines; the multiline stays as it was.
  const EntityList pieces = explodeOf(*square);
  ASSERT_EQ(pieces.size(), 8);
  double total = 0;
  for (int i = 0; i < pieces.size(); ++i) {
    const QvDbLine* line = QvDbLine::cast(pieces[i]);
    ASSERT_NE(line, nullptr);
    total += line->startPoint().distanceTo(line->endPoint());
  }
  EXPECT_NEAR(total, 4 * 4 + 4 * 6, 1e-12);
  EXPECT_EQ(square->numVertices(), 4);
}

TEST(MlineTest, TransformsCarryTheElements) {
  auto mline = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
  const QvGeMatrix3d turn =
      QvGeMatrix3d::translation(QvGeVector3d(3, 4, 5)) *
      QvGeMatrix3d::rotation(0.6, QvGeVector3d(1, 2, 3), QvGePoint3d::kOrigin) *
      QvGeMatrix3d::scaling(1.5);
  const QvGeMatrix3d mirror =
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(2, 0, 0), QvGeVector3d(1, 0, 0)));
  for (const QvGeMatrix3d& m : {turn, mirror}) {
    auto moved = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
    ASSERT_EQ(moved->transformBy(m), eOk);
    for (int s = 0; s < 2; ++s) {
      for (int e = 0; e < 2; ++e) {
        QvGeLineSeg3d before, after;
        ASSERT_EQ(mline->getElementSegment(s, e, before), eOk);
        ASSERT_EQ(moved->getElementSegment(s, e, after), eOk);
        EXPECT_POINT_NEAR(after.startPoint(), QvGePoint3d(before.startPoint()).transformBy(m),
                          1e-9);
        EXPECT_POINT_NEAR(after.endPoint(), QvGePoint3d(before.endPoint()).transformBy(m), 1e-9);
      }
    }
    // Worked out again from its own data, it stays where the transform put it.
    QvGePoint3d last;
    ASSERT_EQ(moved->removeLastSeg(last), eOk);
    ASSERT_EQ(moved->appendSeg(last), eOk);
    QvGeLineSeg3d before, after;
    ASSERT_EQ(mline->getElementSegment(1, 1, before), eOk);
    ASSERT_EQ(moved->getElementSegment(1, 1, after), eOk);
    EXPECT_POINT_NEAR(after.endPoint(), QvGePoint3d(before.endPoint()).transformBy(m), 1e-9);
  }
  QvGeMatrix3d squash;
  squash(1, 1) = 2.0;
  EXPECT_EQ(mline->transformBy(squash), Vexa::eNotApplicable);
  expectPiece(*mline, 0, 1, {0, -1, 0}, {11, -1, 0});
}

TEST(MlineTest, TheNearestElementIsFoundAlongTheViewDirection) {
  auto mline = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
  QvDbMlineImp* imp = dynamic_cast<QvDbMlineImp*>(QvDbSystemInternals::getImpObject(mline.get()));
  ASSERT_NE(imp, nullptr);
  QvDbEntity* found = nullptr;
  // High above the lower element, seen from above: that element.
  ASSERT_EQ(imp->getNearestEntAtPt({5, -0.8, 50}, {0, 0, -1}, found), eOk);
  std::unique_ptr<QvDbEntity> owned(found);
  const QvDbLine* line = QvDbLine::cast(found);
  ASSERT_NE(line, nullptr);
  EXPECT_POINT_NEAR(line->startPoint(), QvGePoint3d(0, -1, 0), 1e-12);
  EXPECT_POINT_NEAR(line->endPoint(), QvGePoint3d(11, -1, 0), 1e-12);
  // The same point in space, no direction: the upper element is nearer.
  ASSERT_EQ(imp->getNearestEntAtPt({10.4, 3, 0}, QvGeVector3d(), found), eOk);
  owned.reset(found);
  line = QvDbLine::cast(found);
  ASSERT_NE(line, nullptr);
  EXPECT_POINT_NEAR(line->startPoint(), QvGePoint3d(10, 0, 0), 1e-12);

  // Fewer than two vertices, or a point that is not finite: nothing.
  EXPECT_EQ(imp->getNearestEntAtPt({NAN, 0, 0}, {0, 0, 1}, found), eInvalidInput);
  EXPECT_EQ(found, nullptr);
  auto single = mlineThrough({{1, 1, 0}});
  auto* singleImp = dynamic_cast<QvDbMlineImp*>(QvDbSystemInternals::getImpObject(single.get()));
  ASSERT_NE(singleImp, nullptr);
  EXPECT_EQ(singleImp->getNearestEntAtPt({1, 1, 0}, {0, 0, 1}, found), eInvalidInput);
}

TEST(MlineTest, ElementPiecesAreSubEntitiesByTheirMarkers) {
  // Pieces (segment, element) and their markers s * 2 + e + 1, worked out above.
  auto mline = mlineThrough({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
  const QvGePoint3d ends[4][2] = {{{0, 0, 0}, {10, 0, 0}},
                                  {{0, -1, 0}, {11, -1, 0}},
                                  {{10, 0, 0}, {10, 5, 0}},
                                  {{11, -1, 0}, {11, 5, 0}}};
  QvGiWorldDrawRecorder drawn;
  drawn.drawTopLevel(mline.get());
  std::set<int64_t> markers;
  for (const auto& p : drawn.primitives()) {
    ASSERT_EQ(QvGiWorldDrawRecorder::kPolyline, p.kind);
    ASSERT_GE(p.marker, 1);
    ASSERT_LE(p.marker, 4);
    markers.insert(p.marker);
    // Drawn where the sub-entity of its marker runs.
    ASSERT_EQ(p.points.length(), 2);
    EXPECT_POINT_NEAR(p.points[0], ends[p.marker - 1][0], 1e-12);
    EXPECT_POINT_NEAR(p.points[1], ends[p.marker - 1][1], 1e-12);
  }
  EXPECT_EQ(markers.size(), 4u);
  for (int64_t marker = 1; marker <= 4; ++marker) {
    for (QvDb::SubentType type : {QvDb::kMlineSubentCache, QvDb::kEdgeSubentType}) {
      std::unique_ptr<QvDbEntity> piece(mline->subentPtr(QvDbSubentId(type, marker)));
      const QvDbLine* line = QvDbLine::cast(piece.get());
      ASSERT_NE(line, nullptr) << marker;
      EXPECT_POINT_NEAR(line->startPoint(), ends[marker - 1][0], 1e-12);
      EXPECT_POINT_NEAR(line->endPoint(), ends[marker - 1][1], 1e-12);
    }
  }

  // Marker 0 names the piece nearest the pick seen along the view (the third row of the
  // transform): from above, 0.2 right of the lower element's second piece. Seen along Y from
  // (10.8, 50, 0.1) the pieces along X are 0.1 (the lower one, reaching x = 11) and 0.81 away,
  // the pieces along Y are points, the nearer (11, 0) 0.22 away: the lower element's first
  // piece (seen from above that point is nearest the end (11,5) of marker 4).
  QvArray<QvDbFullSubentPath> paths;
  ASSERT_EQ(mline->getSubentPathsAtGsMarker(QvDb::kMlineSubentCache, 0, {11.2, 3, 0},
                                            QvGeMatrix3d(), paths),
            eOk);
  ASSERT_EQ(paths.length(), 1);
  EXPECT_EQ(paths[0].subentId(), QvDbSubentId(QvDb::kMlineSubentCache, 4));
  QvGeMatrix3d alongY;
  alongY.setCoordSystem(QvGePoint3d(), {1, 0, 0}, {0, 0, 1}, {0, -1, 0});
  const QvGeMatrix3d lookAlongY = alongY.inverse();
  paths.setLogicalLength(0);
  ASSERT_EQ(mline->getSubentPathsAtGsMarker(QvDb::kMlineSubentCache, 0, {10.8, 50, 0.1}, lookAlongY,
                                            paths),
            eOk);
  EXPECT_EQ(paths.last().subentId().index(), 2);
  // A marker names its piece; others, or another kind, name none.
  paths.setLogicalLength(0);
  ASSERT_EQ(mline->getSubentPathsAtGsMarker(QvDb::kEdgeSubentType, 3, {}, QvGeMatrix3d(), paths),
            eOk);
  EXPECT_EQ(paths.last().subentId(), QvDbSubentId(QvDb::kEdgeSubentType, 3));
  for (int64_t none : {5, -1})
    EXPECT_EQ(
        mline->getSubentPathsAtGsMarker(QvDb::kMlineSubentCache, none, {}, QvGeMatrix3d(), paths),
        Vexa::eNotApplicable)
        << none;
  EXPECT_EQ(mline->getSubentPathsAtGsMarker(QvDb::kFaceSubentType, 1, {}, QvGeMatrix3d(), paths),
            Vexa::eNotApplicable);
  EXPECT_EQ(mline->subentPtr(QvDbSubentId(QvDb::kMlineSubentCache, 5)), nullptr);
  EXPECT_EQ(mline->subentPtr(QvDbSubentId(QvDb::kFaceSubentType, 1)), nullptr);
  auto single = mlineThrough({{1, 1, 0}});
  EXPECT_EQ(single->getSubentPathsAtGsMarker(QvDb::kMlineSubentCache, 0, {1, 1, 0}, QvGeMatrix3d(),
                                             paths),
            Vexa::eNotApplicable);
}

TEST(MlineTest, RefusesWhatMakesNoMultiline) {
  auto mline = mlineThrough({{0, 0, 0}, {10, 0, 0}});
  EXPECT_EQ(mline->appendSeg({10, 0, 0}), eInvalidInput);  // the last vertex again
  EXPECT_EQ(mline->appendSeg({NAN, 1, 0}), eInvalidInput);
  EXPECT_EQ(mline->setScale(0), eInvalidInput);
  EXPECT_EQ(mline->setScale(INFINITY), eInvalidInput);
  EXPECT_EQ(mline->setNormal(QvGeVector3d()), eInvalidInput);
  EXPECT_EQ(mline->setStyle(QvDbObjectId(), QvGeDoubleArray()), eInvalidInput);
  EXPECT_EQ(mline->setStyle(QvDbObjectId(), {0.5, NAN}), eInvalidInput);
  QvGePoint3d p;
  EXPECT_EQ(mline->vertexAt(2, p), eInvalidIndex);
  EXPECT_EQ(mline->moveVertexAt(-1, p), eInvalidIndex);
  QvGeLineSeg3d piece;
  EXPECT_EQ(mline->getElementSegment(1, 0, piece), eInvalidIndex);
  EXPECT_EQ(mline->getElementSegment(0, 2, piece), eInvalidIndex);
  // Vertex data with the wrong number of element parameters.
  QvDbMline::VertexData bad;
  bad.params.resize(3);
  EXPECT_EQ(mline->setVertexData({bad}), eInvalidInput);
  // Points off its plane are put into it.
  ASSERT_EQ(mline->appendSeg({10, 5, 7}), eOk);
  ASSERT_EQ(mline->vertexAt(2, p), eOk);
  EXPECT_POINT_NEAR(p, QvGePoint3d(10, 5, 0), 1e-12);
  expectPiece(*mline, 0, 1, {0, -1, 0}, {11, -1, 0});
}

}  // namespace
