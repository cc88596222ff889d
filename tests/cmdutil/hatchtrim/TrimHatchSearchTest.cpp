// Hatch trimming through its spatial indexes against the literal search over every piece, node
// and cutter, on seeded random drawings: the same loops (edge by edge, exactly), in the same
// order, with the same seeds, associated objects and area.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/cmdutil/hatchtrim/TrimHatchSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/CTrimHatch.h"

namespace {

// Where a random drawing lies: the plane of the hatch and how far from the origin.
struct Placement {
  QvGeVector3d normal = QvGeVector3d::kZAxis;
  double elevation = 0.0;
  double offset = 0.0;  // added to every plane coordinate
  // Cutters off the plane too (raised circles, tilted circles, references of a circle block),
  // and the pieces projected onto the plane.
  bool offPlane = false;
};

// One hatch of random rectangles, and random circles, closed rectangles and lines in its
// plane; the hatch is made twice, so that each search trims its own copy.
struct RandomDrawing {
  QvDbObjectId hatches[2];
  std::vector<QvDbObjectId> cutters;
};

class TrimHatchSearchTest : public HostFixture {
 protected:
  void TearDown() override {
    CTrimHatch::setIndexedSearch(true);
    HostFixture::TearDown();
  }

  RandomDrawing makeDrawing(uint32_t seed, const Placement& at) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> place(0.0, 100.0), size(5.0, 30.0), radius(1.0, 12.0);
    std::uniform_int_distribution<int> loops(2, 6), circles(8, 30), boxes(0, 4), lines(0, 3);
    auto hatch = solidHatch(at.normal, at.elevation);
    hatch->setAssociative(true);
    const double o = at.offset;
    for (int i = loops(rng); i > 0; --i) {
      const double x = place(rng) + o, y = place(rng) + o;
      addEdgeLoop(*hatch, rectangleEdges(x, y, x + size(rng), y + size(rng)));
    }
    const QvGeMatrix3d toWorld = hatch->planeToWorld();
    auto world = [&](double x, double y) { return QvGePoint3d(x, y, 0).transformBy(toWorld); };
    RandomDrawing drawing;
    drawing.hatches[0] = appendEntity(db()->modelSpaceId(), new QvDbHatch(*hatch));
    drawing.hatches[1] = appendEntity(db()->modelSpaceId(), hatch.release());
    for (int i = circles(rng); i > 0; --i) {
      const double x = place(rng) + o, y = place(rng) + o;
      drawing.cutters.push_back(
          appendEntity(db()->modelSpaceId(), new QvDbCircle(world(x, y), at.normal, radius(rng))));
    }
    for (int i = boxes(rng); i > 0; --i) {
      auto* box = new QvDbPolyline();
      box->setNormal(at.normal);
      box->setElevation(at.elevation);
      const double x = place(rng) + o, y = place(rng) + o, w = size(rng), h = size(rng);
      for (const QvGePoint2d& p : {QvGePoint2d(x, y), {x + w, y}, {x + w, y + h}, {x, y + h}})
        box->addVertexAt(box->numVerts(), p);
      box->setClosed(true);
      drawing.cutters.push_back(appendEntity(db()->modelSpaceId(), box));
    }
    for (int i = lines(rng); i > 0; --i) {
      const double x = place(rng) + o, y = place(rng) + o;
      drawing.cutters.push_back(appendEntity(
          db()->modelSpaceId(), new QvDbLine(world(x, y), world(place(rng) + o, place(rng) + o))));
    }
    if (!at.offPlane) return drawing;
    const QvDbObjectId block = addBlock(db(), (L"DISC" + std::to_wstring(seed)).c_str());
    appendEntity(block, new QvDbCircle({0, 0, 0}, QvGeVector3d::kZAxis, 6.0));
    for (int i = 0; i < 3; ++i) {
      const double x = place(rng) + o, y = place(rng) + o;
      auto* raised = new QvDbCircle(world(x, y) + at.normal * 5.0, at.normal, radius(rng));
      drawing.cutters.push_back(appendEntity(db()->modelSpaceId(), raised));
      const QvGeVector3d tilt = (at.normal + QvGeVector3d::kXAxis).normal();
      drawing.cutters.push_back(appendEntity(
          db()->modelSpaceId(), new QvDbCircle(world(place(rng) + o, place(rng) + o), tilt, 20.0)));
      auto* reference = new QvDbBlockReference(block);
      reference->setPosition(world(place(rng) + o, place(rng) + o));
      drawing.cutters.push_back(appendEntity(db()->modelSpaceId(), reference));
    }
    return drawing;
  }

  // Trims the hatch with the cutters through the given search; whether a loop changed.
  bool trim(QvDbObjectId hatchId, const std::vector<QvDbObjectId>& cutterIds, bool indexed,
            const Placement& at) {
    CTrimHatch::setIndexedSearch(indexed);
    return trimHatch(db(), hatchId, cutterIds, at.offPlane ? 1 : 0,
                     QvGePlane(QvGePoint3d::kOrigin, at.normal));
  }

  // Both searches on each seed's drawing give the same hatch.
  void expectSameResults(const Placement& at, uint32_t firstSeed, int seeds) {
    int cut = 0;
    for (uint32_t seed = firstSeed; seed < firstSeed + static_cast<uint32_t>(seeds); ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      const RandomDrawing drawing = makeDrawing(seed, at);
      const bool literal = trim(drawing.hatches[0], drawing.cutters, false, at);
      const bool indexed = trim(drawing.hatches[1], drawing.cutters, true, at);
      EXPECT_EQ(literal, indexed);
      const std::string expected = describeHatch(drawing.hatches[0]);
      EXPECT_EQ(expected, describeHatch(drawing.hatches[1]));
      if (literal && expected.find("loop") != std::string::npos) ++cut;
    }
    // The drawings must exercise the trimming: most seeds leave cut loops.
    EXPECT_GE(cut, seeds / 2);
    EXPECT_TRUE(nothingLeftOpen(db()));
  }
};

}  // namespace

// In the XY plane; in a tilted plane far from the origin (the indexes work on other axes, with
// coordinates of 1e7); with cutters off the plane (always asked) and pieces projected onto it
// (indexed).
TEST_F(TrimHatchSearchTest, IndexedAndLiteralSearchesAgreeOnRandomDrawings) {
  const struct {
    Placement at;
    uint32_t firstSeed;
    int seeds;
  } runs[] = {{Placement{}, 1, 6},
              {Placement{QvGeVector3d(1, 2, 3).normal(), 5.0, 1e7, false}, 101, 3},
              {Placement{QvGeVector3d::kZAxis, 0.0, 0.0, true}, 201, 3}};
  for (const auto& run : runs) {
    SCOPED_TRACE("from seed " + std::to_string(run.firstSeed));
    expectSameResults(run.at, run.firstSeed, run.seeds);
  }
}
