// Definition points of a new dimension from a pick, and the selection helpers behind them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "sdk/app/VexaGraphics.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/PolylineShapes.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqVector.h"

namespace {

using Path = XqVector<QvDbObjectId>;
using P = QvGePoint3d;

TEST(ClosestPointOnPolyline, SegmentsOfOpenAndClosedPolylinesAndArcs) {
  const auto open = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}});
  const auto square = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true);
  // A half circle below (0,0)-(10,0): centre (5,0), radius 5.
  const auto arc = lightweightPolyline({{0, 0}, {10, 0}}, {1.0});
  const auto single = lightweightPolyline({{3, 4}});
  const struct {
    const QvDbPolyline* polyline;
    P pick, closest;
    unsigned int index;
  } cases[] = {
      {open.get(), P(12, 14, 0), P(10, 10, 0), 1},  // past the end: the last vertex
      {open.get(), P(4, -3, 0), P(4, 0, 0), 0},
      {square.get(), P(-1, 5, 0), P(0, 5, 0), 3},  // the closing segment
      {arc.get(), P(5, -7, 0), P(5, -5, 0), 0},
      {single.get(), P(0, 0, 0), P(3, 4, 0), 0},  // one vertex: that vertex
  };
  for (const auto& c : cases) {
    QvGePoint3d closest(-9, -9, -9);
    unsigned int index = 99;
    XqDbUtil::closestPointOnPolyline(c.polyline, c.pick, closest, index);
    EXPECT_POINT_NEAR(closest, c.closest);
    EXPECT_EQ(index, c.index);
  }
  // None: nothing touched.
  QvGePoint3d closest(-9, -9, -9);
  unsigned int index = 99;
  QvDbPolyline empty;
  XqDbUtil::closestPointOnPolyline(&empty, P(0, 0, 0), closest, index);
  XqDbUtil::closestPointOnPolyline(nullptr, P(0, 0, 0), closest, index);
  EXPECT_POINT_NEAR(closest, P(-9, -9, -9));
  EXPECT_EQ(index, 99u);
}

class DimensionPointsTest : public HostFixture {
 protected:
  QvDbObjectId add(QvDbEntity* entity) { return appendToModelSpace(db(), entity); }
  QvDbObjectId add(std::unique_ptr<QvDbEntity> entity) { return add(entity.release()); }
  // A proxy of an entity class the stand-in does not model, read under that DXF name.
  QvDbObjectId addProxy(const wchar_t* dxfName) {
    QvDbProxyClass cls;
    cls.dxfName = dxfName;
    return add(new QvDbProxyEntity(cls));
  }
  int defPoints(const Path& path, const QvGePoint3d& pick) {
    p1_ = p2_ = p3_ = p4_ = P(-1, -1, -1);
    segment_ = 99;
    isPolyline_ = false;
    return XqDbUtil::getDimensionDefPoints(path, p1_, p2_, p3_, p4_, pick, QvGeMatrix3d(), segment_,
                                           isPolyline_);
  }
  // The points a sub-entity marker names, picked at `pick`.
  int markerPoints(const Path& path, int64_t& marker, bool quadrants = false,
                   const QvGePoint3d& pick = P(9, 5, 0)) {
    p1_ = p2_ = p3_ = p4_ = P(-1, -1, -1);
    return XqDbUtil::getDimensionDefPoints(path, pick, false, quadrants, p1_, p2_, p3_, p4_,
                                           marker);
  }
  // A normal status, and the definition points found are these, from the first on.
  ::testing::AssertionResult found(int status, std::initializer_list<P> expected) const {
    if (status != kQvNormal) return ::testing::AssertionFailure() << "status " << status;
    return pointsAre(expected);
  }
  // The definition points found, from the first on.
  ::testing::AssertionResult pointsAre(std::initializer_list<P> expected) const {
    const P* got[] = {&p1_, &p2_, &p3_, &p4_};
    int i = 0;
    for (const P& e : expected)
      if (auto r = pointsNear(*got[i++], e); !r) return r << " (point " << i << ")";
    return ::testing::AssertionSuccess();
  }
  QvGePoint3d p1_, p2_, p3_, p4_;
  unsigned int segment_ = 0;
  bool isPolyline_ = false;
};

TEST_F(DimensionPointsTest, TheEndsOfALineOrOfThePickedPolylineSegment) {
  const QvDbObjectId line = add(new QvDbLine(P(1, 2, 0), P(7, 5, 0)));
  EXPECT_TRUE(found(defPoints(Path{line}, P(3, 3, 0)), {P(1, 2, 0), P(7, 5, 0)}));
  EXPECT_FALSE(isPolyline_);

  // The last segment of an open polyline, also when picked at its very end.
  const QvDbObjectId open = add(lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {20, 10}}));
  for (const P& pick : {P(19, 10.5, 0), P(20, 10, 0), P(25, 12, 0)}) {
    ASSERT_EQ(defPoints(Path{open}, pick), kQvNormal);
    EXPECT_TRUE(isPolyline_);
    EXPECT_EQ(segment_, 2u);
    EXPECT_TRUE(pointsAre({P(10, 10, 0), P(20, 10, 0)}));
  }
  // Picked high above: projected along the UCS z axis onto the polyline's plane.
  ASSERT_EQ(defPoints(Path{open}, P(4, 0.5, 30)), kQvNormal);
  EXPECT_EQ(segment_, 0u);

  // The closing segment of a closed polyline runs from the last vertex to the first.
  const QvDbObjectId square =
      add(lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true));
  ASSERT_EQ(defPoints(Path{square}, P(-0.5, 5, 0)), kQvNormal);
  EXPECT_EQ(segment_, 3u);
  EXPECT_TRUE(pointsAre({P(0, 10, 0), P(0, 0, 0)}));

  // A 3D polyline: its segment's vertices in space.
  const QvDbObjectId spatial =
      add(new QvDb3dPolyline(k3dSimplePoly, {{0, 0, 0}, {0, 0, 5}, {3, 0, 5}}));
  ASSERT_EQ(defPoints(Path{spatial}, P(2, 0, 5)), kQvNormal);
  EXPECT_EQ(segment_, 1u);
  EXPECT_TRUE(pointsAre({P(0, 0, 5), P(3, 0, 5)}));

  // One vertex makes no segment.
  const QvDbObjectId dot = add(lightweightPolyline({{3, 3}}));
  EXPECT_EQ(defPoints(Path{dot}, P(3, 3, 0)), kQvError);
}

TEST_F(DimensionPointsTest, CircleQuadrantsFollowTheActiveView) {
  const QvDbObjectId circle = add(new QvDbCircle(P(5, 5, 0), QvGeVector3d::kZAxis, 2.0));
  EXPECT_TRUE(
      found(defPoints(Path{circle}, P(7, 5, 0)), {P(7, 5, 0), P(3, 5, 0), P(5, 7, 0), P(5, 3, 0)}));

  // Seen with world X up (so -Y to the right) at zoom 3: the quadrants turn, the radius stays.
  VexaGsViewport* viewport = GetActiveGraphics()->activeViewport();
  ASSERT_EQ(viewport->gsView()->setView(P(0, 0, 10), P(0, 0, 0), QvGeVector3d::kXAxis), Vexa::eOk);
  ASSERT_EQ(viewport->setZoom(3.0), Vexa::eOk);
  EXPECT_TRUE(
      found(defPoints(Path{circle}, P(7, 5, 0)), {P(5, 3, 0), P(5, 7, 0), P(7, 5, 0), P(3, 5, 0)}));
}

TEST_F(DimensionPointsTest, ThePieceOfABlockReferenceInWorldCoordinates) {
  const QvDbObjectId block = addBlock(db(), L"POST");
  const QvDbObjectId inner = appendEntity(block, new QvDbLine(P(0, 0, 0), P(4, 0, 0)));
  appendEntity(block, new QvDbCircle(P(10, 0, 0), QvGeVector3d::kZAxis, 1.0));
  auto* reference = new QvDbBlockReference(P(100, 0, 0), block);
  reference->setRotation(M_PI / 2);
  const QvDbObjectId ref = add(reference);

  // Picked on the reference: the nearest piece (the line, turned to run up from (100,0)).
  EXPECT_TRUE(found(defPoints(Path{ref}, P(100.2, 3, 0)), {P(100, 0, 0), P(100, 4, 0)}));
  // Picked through the reference to the line itself: the same, in world coordinates.
  EXPECT_TRUE(found(defPoints(Path{ref, inner}, P(100, 1, 0)), {P(100, 0, 0), P(100, 4, 0)}));
  // Near the circle (now at (100,10)): its quadrants.
  ASSERT_EQ(defPoints(Path{ref}, P(101, 10, 0)), kQvNormal);
  EXPECT_POINT_NEAR(p1_, P(101, 10, 0));
  EXPECT_POINT_NEAR(p4_, P(100, 9, 0));
}

TEST_F(DimensionPointsTest, ViewportsTablesDimensionsAndOtherClasses) {
  const QvDbObjectId line = add(new QvDbLine(P(0, 0, 0), P(5, 0, 0)));
  const QvDbObjectId viewport = addProxy(L"VIEWPORT");
  const QvDbObjectId table = addProxy(L"ACAD_TABLE");
  const QvDbObjectId dim = add(new QvDbAlignedDimension(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0)));
  const QvDbObjectId text = add(new QvDbText(P(0, 0, 0), L"note"));

  // A leading viewport is dropped; a path of only a viewport has nothing left.
  ASSERT_EQ(defPoints(Path{viewport, line}, P(1, 0, 0)), kQvNormal);
  EXPECT_POINT_NEAR(p2_, P(5, 0, 0));
  EXPECT_EQ(defPoints(Path{viewport}, P(1, 0, 0)), kQvError);
  EXPECT_EQ(defPoints(Path{}, P(1, 0, 0)), kQvError);
  EXPECT_EQ(defPoints(Path{QvDbObjectId()}, P(1, 0, 0)), kQvError);
  EXPECT_EQ(defPoints(Path{text}, P(0, 0, 0)), kQvRejected);
  EXPECT_EQ(defPoints(Path{table}, P(0, 0, 0)), kQvRejected);

  EXPECT_TRUE(XqDbUtil::isSupportableSelEntToDim(true, Path{line}));
  EXPECT_TRUE(XqDbUtil::isSupportableSelEntToDim(true, Path{viewport, line}));
  EXPECT_FALSE(XqDbUtil::isSupportableSelEntToDim(false, Path{line, viewport}));
  EXPECT_FALSE(XqDbUtil::isSupportableSelEntToDim(false, Path{dim, line}));
  EXPECT_TRUE(XqDbUtil::isSupportableSelEntToDim(false, Path{table, line}));
  EXPECT_FALSE(XqDbUtil::isSupportableSelEntToDim(true, Path{table, line}));
  EXPECT_FALSE(XqDbUtil::isSupportableDimSnapObj(Path{table, line}, 7));
  EXPECT_FALSE(XqDbUtil::isSupportableSelEntToDim(true, Path{}));
  EXPECT_FALSE(XqDbUtil::isSupportableSelEntToDim(true, Path{QvDbObjectId()}));
  EXPECT_TRUE(XqDbUtil::isSupportableSelEntToDim(true, Path{QvDbObjectId(), line}));
}

TEST_F(DimensionPointsTest, VerticesMarkersAndNames) {
  const QvDbObjectId pline =
      add(new QvDb2dPolyline(k2dSimplePoly, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
  QvDbObjectIdArray vertices;
  {
    QvDbObjectPointer<QvDb2dPolyline> p(pline, QvDb::kForRead);
    ASSERT_TRUE(p);
    std::unique_ptr<QvDbObjectIterator> it(p->vertexIterator());
    for (; !it->done(); it->step()) vertices.append(it->objectId());
    ASSERT_EQ(vertices.length(), 3);
    QvDbObjectId id;
    XqDbUtil::get2dPlineVertIdByIndex(p.object(), 1, id);
    EXPECT_EQ(id, vertices[0]);
    XqDbUtil::get2dPlineVertIdByIndex(p.object(), 3, id);
    EXPECT_EQ(id, vertices[2]);
    for (unsigned int beyond : {0u, 4u}) {
      QvDbObjectId untouched;
      XqDbUtil::get2dPlineVertIdByIndex(p.object(), beyond, untouched);
      EXPECT_TRUE(untouched.isNull()) << beyond;
    }
  }

  // A vertex's marker is its id; a line's is left alone.
  int64_t marker = -5;
  XqDbUtil::getGsMarkerBySubEnt(vertices[1], marker);
  EXPECT_EQ(marker, vertices[1].asOldId());
  const QvDbObjectId line = add(new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  marker = -5;
  XqDbUtil::getGsMarkerBySubEnt(line, marker);
  EXPECT_EQ(marker, -5);

  // A picked vertex selects its polyline: a copy, owned by the caller.
  QvDbEntity* copy = nullptr;
  XqDbUtil::getSelectedEntityFromIdPath(Path{pline, vertices[1]}, copy);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(QvDb2dPolyline::cast(copy), nullptr);
  EXPECT_FALSE(copy->isResident());
  delete copy;
  // Picked on the polyline seen from above, the segment under the point: the vertex it leaves.
  marker = 0;
  EXPECT_TRUE(XqDbUtil::getPolylineGsMarkerByGivenPointInViewDir(pline, P(10, 4, 25), marker));
  EXPECT_EQ(marker, vertices[1].asOldId());
  const QvDbObjectId lw = add(lightweightPolyline({{0, 0}, {10, 0}, {10, 10}}));
  marker = 0;
  EXPECT_TRUE(XqDbUtil::getPolylineGsMarkerByGivenPointInViewDir(lw, P(10, 4, 25), marker));
  EXPECT_EQ(marker, 2);
  marker = 0;
  EXPECT_FALSE(XqDbUtil::getPolylineGsMarkerByGivenPointInViewDir(line, P(0, 0, 0), marker));

  QvString name;
  EXPECT_TRUE(XqDbUtil::getSymbolTableRecordName(addLayer(db(), L"Walls"), name));
  EXPECT_EQ(name, QvString(L"Walls"));
  EXPECT_FALSE(XqDbUtil::getSymbolTableRecordName(line, name));
  EXPECT_EQ(name, QvString(L"Walls"));
}

TEST_F(DimensionPointsTest, UcsNormalAndViewDirectionInTheWorld) {
  QvGeVector3d v;
  EXPECT_EQ(XqDbUtil::calculateNormal(v), kQvNormal);
  EXPECT_VECTOR_NEAR(v, QvGeVector3d::kZAxis);
  ASSERT_EQ(XqDbUtil::getViewDirWcs(v), Vexa::eOk);
  EXPECT_VECTOR_NEAR(v, QvGeVector3d::kZAxis);

  // The UCS turned a quarter about world X: its y axis is world z, its z axis world -y.
  ASSERT_EQ(qvedSetCurrentUCS(QvGeMatrix3d::rotation(M_PI / 2, QvGeVector3d::kXAxis)), Vexa::eOk);
  EXPECT_EQ(XqDbUtil::calculateNormal(v), kQvNormal);
  EXPECT_VECTOR_NEAR(v, QvGeVector3d(0, -1, 0));
  ASSERT_EQ(XqDbUtil::getViewDirWcs(v), Vexa::eOk);
  EXPECT_VECTOR_NEAR(v, QvGeVector3d(0, -1, 0));
}

TEST_F(DimensionPointsTest, TheNearestPieceOfABlockAndItsNestedBlocks) {
  const QvDbObjectId inner = addBlock(db(), L"INNER");
  appendEntity(inner, new QvDbCircle(P(0, 0, 0), QvGeVector3d::kZAxis, 1.0));
  const QvDbObjectId outer = addBlock(db(), L"OUTER");
  appendEntity(outer, new QvDbLine(P(0, 0, 0), P(10, 0, 0)));
  appendEntity(outer, new QvDbBlockReference(P(5, 5, 0), inner));
  const QvDbObjectId ref = add(new QvDbBlockReference(P(0, 0, 0), outer));
  QvDbObjectPointer<QvDbBlockReference> reference(ref, QvDb::kForRead);
  ASSERT_TRUE(reference);

  double distance = 100.0;
  std::unique_ptr<QvDbEntity> found(
      XqDbUtil::getSelectedEntityFromTheBlock(reference.object(), P(5, 3.5, 0), distance));
  ASSERT_NE(QvDbCircle::cast(found.get()), nullptr) << "the nested circle is 0.5 away";
  EXPECT_NEAR(distance, 0.5, 1e-9);
  EXPECT_POINT_NEAR(QvDbCircle::cast(found.get())->center(), P(5, 5, 0));

  distance = 0.1;
  EXPECT_EQ(XqDbUtil::getSelectedEntityFromTheBlock(reference.object(), P(5, 3.5, 0), distance),
            nullptr);
  EXPECT_EQ(distance, 0.1);
  found.reset(
      XqDbUtil::getSelectedEntityFromTheBlock(reference.object(), P(2, -1, 0), distance = 5));
  ASSERT_NE(QvDbLine::cast(found.get()), nullptr);
  EXPECT_NEAR(distance, 1.0, 1e-9);
}

TEST_F(DimensionPointsTest, TheSubEntityAMarkerNames) {
  int64_t marker = 2;
  const QvDbObjectId lw = add(lightweightPolyline({{0, 0}, {10, 0}, {10, 10}}));
  EXPECT_TRUE(found(markerPoints(Path{lw}, marker), {P(10, 0, 0), P(10, 10, 0)}));
  for (int64_t none : {0, 3, -1}) {
    marker = none;
    EXPECT_EQ(markerPoints(Path{lw}, marker), kQvRejected) << none;
  }

  // A vertex of a 2D polyline names the segment that leaves it, whatever the marker was.
  const QvDbObjectId pline =
      add(new QvDb2dPolyline(k2dSimplePoly, {{0, 0, 0}, {0, 6, 0}, {8, 6, 0}}));
  QvDbObjectId second;
  {
    QvDbObjectPointer<QvDb2dPolyline> p(pline, QvDb::kForRead);
    XqDbUtil::get2dPlineVertIdByIndex(p.object(), 2, second);
  }
  marker = 0;
  ASSERT_EQ(markerPoints(Path{pline, second}, marker), kQvNormal);
  EXPECT_EQ(marker, second.asOldId());
  EXPECT_TRUE(pointsAre({P(0, 6, 0), P(8, 6, 0)}));

  // A circle: the point nearest the pick and its opposite, or the quadrants.
  const QvDbObjectId circle = add(new QvDbCircle(P(5, 5, 0), QvGeVector3d::kZAxis, 2.0));
  EXPECT_TRUE(found(markerPoints(Path{circle}, marker), {P(7, 5, 0), P(3, 5, 0)}));
  ASSERT_EQ(markerPoints(Path{circle}, marker, true), kQvNormal);
  EXPECT_POINT_NEAR(p3_, P(5, 7, 0));
  EXPECT_POINT_NEAR(p4_, P(5, 3, 0));

  // Through a block reference: in world coordinates. Through a dimension: refused.
  const QvDbObjectId block = addBlock(db(), L"MARK");
  const QvDbObjectId inner = appendEntity(block, new QvDbLine(P(0, 0, 0), P(2, 0, 0)));
  const QvDbObjectId ref = add(new QvDbBlockReference(P(50, 50, 0), block));
  EXPECT_TRUE(found(markerPoints(Path{ref, inner}, marker), {P(50, 50, 0), P(52, 50, 0)}));
  const QvDbObjectId dim = add(new QvDbAlignedDimension(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0)));
  EXPECT_EQ(markerPoints(Path{dim, inner}, marker), kQvRejected);
  EXPECT_EQ(markerPoints(Path{}, marker), kQvError);
}

}  // namespace

// A wall of two elements from (0,0) over (10,0) to (10,5), top justified: the upper element on
// the vertices, the lower one 1 to the right of the way along, turning at (11,-1). Its pieces:
// marker 1 (0,0)-(10,0), 2 (0,-1)-(11,-1), 3 (10,0)-(10,5), 4 (11,-1)-(11,5).
TEST_F(DimensionPointsTest, MultilinePiecesBySegmentAndByMarker) {
  auto* wall = new QvDbMline;
  for (const P& p : {P(0, 0, 0), P(10, 0, 0), P(10, 5, 0)})
    ASSERT_EQ(wall->appendSeg(p), Vexa::eOk);
  const QvDbObjectId mline = add(wall);

  // Picked: the piece whose closest point is nearest, 0.3 off the lower element's second piece.
  EXPECT_TRUE(found(defPoints(Path{mline}, P(11.3, 2, 0)), {P(11, -1, 0), P(11, 5, 0)}));
  EXPECT_FALSE(isPolyline_);
  EXPECT_TRUE(found(defPoints(Path{mline}, P(4, -0.4, 0)), {P(0, 0, 0), P(10, 0, 0)}));

  // By marker: each piece; one past the last names none.
  int64_t marker = 2;
  EXPECT_TRUE(
      found(markerPoints(Path{mline}, marker, false, P(5, 0, 0)), {P(0, -1, 0), P(11, -1, 0)}));
  marker = 3;
  EXPECT_TRUE(
      found(markerPoints(Path{mline}, marker, false, P(5, 0, 0)), {P(10, 0, 0), P(10, 5, 0)}));
  for (int64_t none : {0, 5, -2}) {
    marker = none;
    EXPECT_EQ(markerPoints(Path{mline}, marker, false, P(5, 0, 0)), kQvRejected) << none;
  }

  // Inside a block reference moved by (100,0): in world coordinates.
  const QvDbObjectId block = addBlock(db(), L"WALL");
  auto* inner = new QvDbMline;
  for (const P& p : {P(0, 0, 0), P(10, 0, 0), P(10, 5, 0)})
    ASSERT_EQ(inner->appendSeg(p), Vexa::eOk);
  const QvDbObjectId innerId = appendEntity(block, inner);
  const QvDbObjectId ref = add(new QvDbBlockReference(P(100, 0, 0), block));
  marker = 4;
  EXPECT_TRUE(found(markerPoints(Path{ref, innerId}, marker, false, P(5, 0, 0)),
                    {P(111, -1, 0), P(111, 5, 0)}));
  EXPECT_TRUE(found(defPoints(Path{ref, innerId}, P(104, 0.2, 0)), {P(100, 0, 0), P(110, 0, 0)}));
}
