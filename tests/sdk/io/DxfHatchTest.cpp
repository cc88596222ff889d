// Hatches through DXF files, ours read by ezdxf and ezdxf's read here, alike; groups a hatch
// does not model are kept; damaged paths are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/io/QvDxfNumber.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"

namespace {

using json::real;

// The area of one loop alone: a hatch of that loop only.
double loopArea(const QvDbHatch& hatch, int loop) {
  QvDbHatch alone;
  int type = 0;
  QvArray<QvGeCurve2d*> edges;
  QvGeIntArray types;
  hatch.getLoopAt(loop, type, edges, types);
  alone.appendLoop(type, edges, types);
  for (QvGeCurve2d* edge : edges) delete edge;
  double area = 0.0;
  alone.getArea(area);
  return area;
}

// Points along a loop's evaluated boundary, densely, in world coordinates.
std::string loopPoints(const QvDbHatch& hatch, int loop) {
  QvArray<QvGeCurve2d*> edges;
  hatch.getEvaluatedLoopAt(loop, edges);
  const QvGeMatrix3d toWorld = hatch.planeToWorld();
  std::string out;
  for (QvGeCurve2d* edge : edges) {
    QvGePoint2dArray points;
    edge->getSamplePoints(64, points);
    for (const QvGePoint2d& p : points) {
      QvGePoint3d world(p.x, p.y, 0.0);
      world.transformBy(toWorld);
      out += (out.empty() ? "" : ",") + json::point(world);
    }
    delete edge;
  }
  return "[" + out + "]";
}

// The hatches of the model space, in the form ezdxf_hatch_probe.py compares.
std::string describeHatches(QvDbDatabase& db) {
  std::string out;
  for (const QvDbObjectId& id : entitiesOf(db.modelSpaceId())) {
    QvDbObjectPointer<QvDbHatch> hatch(id, QvDb::kForRead);
    if (hatch.openStatus() != Vexa::eOk) continue;
    std::string paths;
    QvGePoint2dArray seeds;
    hatch->getHatchSeedPoints(seeds);
    for (int i = 0; i < hatch->numLoops(); ++i) {
      QvDbObjectIdArray ids;
      hatch->getAssocObjIdsAt(i, ids);
      paths += std::string(paths.empty() ? "" : ",") +
               "{\"flags\":" + std::to_string(hatch->loopTypeAt(i)) + ",\"sources\":" +
               json::array(ids, [](QvDbObjectId i) { return json::text(handleOf(i)); }) +
               ",\"area\":" + real(loopArea(*hatch, i)) + ",\"points\":" + loopPoints(*hatch, i) +
               "}";
    }
    QvDbHatchGradient gradient;
    const bool hasGradient = hatch->getGradient(gradient) == Vexa::eOk;
    const QvGeVector3d n = hatch->normal();
    out += std::string(out.empty() ? "" : ",") + json::text(handleOf(id)) +
           ":{\"normal\":" + json::point(QvGePoint3d(n.x, n.y, n.z)) +
           ",\"elevation\":" + real(hatch->elevation()) +
           ",\"solid\":" + (hatch->isSolidFill() ? "1" : "0") + ",\"pattern_name\":\"" +
           hatch->patternName().utf8() +
           "\",\"pattern_lines\":" + std::to_string(hatch->numPatternDefinitions()) +
           ",\"gradient\":" + (hasGradient ? "\"" + gradient.name.utf8() + "\"" : "null") +
           ",\"associative\":" + (hatch->associative() ? "1" : "0") +
           ",\"seeds\":" + json::points(seeds) + ",\"paths\":[" + paths + "]}";
  }
  return "{" + out + "}\n";
}

const EzdxfProbe kProbe{dxfDataPath("ezdxf_hatch_probe.py"), describeHatches, true};

}  // namespace

class DxfHatchTest : public DxfFolderTest {};

TEST_F(DxfHatchTest, HatchesOfEveryKindWrittenHereOpenInEzdxfAlike) {
  // The boundary object of an associative loop.
  const QvDbObjectId squareId =
      appendEntity(db()->modelSpaceId(),
                   lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true).release());

  // Every edge kind, arcs and ellipses both ways round, a spline with fit data, on a tilted
  // plane at an elevation; an island made by a polyline loop with bulges.
  auto edges = solidHatch(QvGeVector3d(1, -2, 3), 4.5);
  {
    EdgeList outer;
    outer.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(0, 0), QvGePoint2d(20, 0)));
    outer.push_back(std::make_unique<QvGeCircArc2d>(QvGePoint2d(20, 5), 5.0, -M_PI / 2, M_PI / 2));
    outer.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(20, 10), QvGePoint2d(15, 10)));
    // Clockwise half ellipse over the top from (15, 10) to (9, 10).
    outer.push_back(std::make_unique<QvGeEllipArc2d>(
        QvGePoint2d(12, 10), QvGeVector2d(1, 0), QvGeVector2d(0, -1), 3.0, 1.5, M_PI, 2 * M_PI));
    outer.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(9, 10), QvGePoint2d(6, 10)));
    // Clockwise arc down into the area from (6, 10) to (2, 10).
    outer.push_back(std::make_unique<QvGeCircArc2d>(QvGePoint2d(4, 10), 2.0, 0.0, M_PI,
                                                    QvGeVector2d::kXAxis, true));
    outer.push_back(std::make_unique<QvGeNurbCurve2d>(QvGePoint2dArray{{2, 10}, {0.5, 6}, {0, 0}}));
    addEdgeLoop(*edges, outer);
    addPolylineLoop(*edges, {{8, 2}, {12, 2}, {12, 6}, {8, 6}}, {0.0, 0.4, 0.0, -0.3},
                    QvDbHatch::kOutermost);
    edges->setHatchSeedPoints(QvGePoint2dArray{{1, 1}});
  }
  appendEntity(db()->modelSpaceId(), edges.release());

  // A pattern with two line families, one dashed.
  auto pattern = solidHatch();
  pattern->setPattern(QvDbHatch::kCustomDefined, L"GRID");
  QvArray<QvDbHatchPatternLine> lines;
  lines.append({0.0, {0, 0}, {0, 1}, QvGeDoubleArray()});
  QvDbHatchPatternLine dashed{M_PI / 2, {0.5, 0}, {-1, 0}, QvGeDoubleArray()};
  dashed.dashes = {0.5, -0.25};
  lines.append(dashed);
  pattern->setPatternDefinitions(lines);
  addEdgeLoop(*pattern, circleEdges({40, 5}, 5));
  appendEntity(db()->modelSpaceId(), pattern.release());

  // A gradient, and an associative hatch of the square with two seeds.
  auto gradient = solidHatch();
  QvDbHatchGradient g;
  g.name = L"SPHERICAL";
  g.colors = {{0.0, 5, 0x0000FF}, {1.0, 2, 0xFFFF00}};
  gradient->setGradient(g);
  addPolylineLoop(*gradient, {{60, 0}, {70, 0}, {65, 8}});
  appendEntity(db()->modelSpaceId(), gradient.release());

  auto associative = solidHatch();
  associative->setAssociative(true);
  addPolylineLoop(*associative, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  associative->setHatchAssocObjIdsAt(0, QvDbObjectIdArray{squareId});
  associative->setHatchSeedPoints(QvGePoint2dArray{{2, 2}, {8, 8}});
  const QvDbObjectId associativeId = appendEntity(db()->modelSpaceId(), associative.release());
  {
    // Closing after the change made the hatch a reactor of its boundary object.
    QvDbObjectPointer<QvDbHatch> hatch(associativeId, QvDb::kForWrite);
    hatch->setColorIndex(3);
  }
  {
    QvDbObjectPointer<QvDbPolyline> boundary(squareId, QvDb::kForRead);
    EXPECT_TRUE(boundary->hasPersistentReactor(associativeId));
  }

  kProbe.roundTrip(*db(), folder_);
}

TEST_F(DxfHatchTest, HatchesWrittenByEzdxfReadHereAlikeAndWriteBackAlike) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  const EzdxfMade theirs = kProbe.readMade(folder_);
  ASSERT_TRUE(theirs.db);
  QvDbDatabase* read = theirs.db.get();

  // The drawing's hatches, measured here: the first has an island.
  int hatches = 0;
  for (const QvDbObjectId& id : entitiesOf(read->modelSpaceId())) {
    QvDbObjectPointer<QvDbHatch> hatch(id, QvDb::kForRead);
    if (hatch.openStatus() != Vexa::eOk) continue;
    if (hatches++ == 0) {
      double area = 0.0;
      ASSERT_EQ(Vexa::eOk, hatch->getArea(area));
      EXPECT_NEAR(loopArea(*hatch, 0) - 9.0, area, 1e-9);
    }
  }
  EXPECT_EQ(6, hatches);
  EXPECT_TRUE(nothingLeftOpen(read));
}

TEST_F(DxfHatchTest, GroupsTheHatchDoesNotModelAreKeptAndDamagedPathsRefused) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 4, 3));
  const QvDbObjectId id = appendEntity(db()->modelSpaceId(), hatch.release());
  const std::string handle = handleOf(id);
  const std::string text = dxfText(*db());
  const std::string head = "  5\n" + handle + "\n";
  const size_t at = text.find("AcDbHatch\n", text.find(head));
  ASSERT_NE(std::string::npos, at);

  // A group of the hatch's subclass no hatch here has (an offset vector, 11/21) comes back.
  std::string extra = text;
  extra.insert(at + 10, " 11\n0.5\n 21\n0.25\n");
  auto kept = readDxf(extra);
  ASSERT_TRUE(kept);
  // Edges use 11/21 for their end points: the kept pair is the one group more, at the end.
  const DxfGroups before = recordOf(groupsOf(text), handle);
  const DxfGroups record = recordOf(groupsOf(dxfText(*kept)), handle);
  ASSERT_EQ(valuesOf(before, 11).size() + 1, valuesOf(record, 11).size());
  ASSERT_EQ(valuesOf(before, 21).size() + 1, valuesOf(record, 21).size());
  EXPECT_EQ("0.5", valuesOf(record, 11).back());
  EXPECT_EQ("0.25", valuesOf(record, 21).back());

  // Two paths announced, one given: refused, at the hatch's line.
  std::string missing = text;
  const size_t count = missing.find(" 91\n1\n", at);
  ASSERT_NE(std::string::npos, count);
  missing.replace(count, 7, " 91\n2\n");
  EXPECT_TRUE(refusedAt(missing, QvDxfDiagnostic::kMissingGroup));

  // An edge of an unknown kind.
  std::string unknown = text;
  const size_t edge = unknown.find(" 72\n1\n", at);
  ASSERT_NE(std::string::npos, edge);
  unknown.replace(edge, 7, " 72\n7\n");
  EXPECT_TRUE(refusedAt(unknown, QvDxfDiagnostic::kOutOfRange));
}
