#include "tests/support/HatchShapes.h"

#include <gtest/gtest.h>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"

namespace {

int edgeType(const QvGeCurve2d& edge) {
  switch (edge.type()) {
    case QvGe::kLineSeg2d:
      return QvDbHatch::kLine;
    case QvGe::kCircArc2d:
      return QvDbHatch::kCirArc;
    case QvGe::kEllipArc2d:
      return QvDbHatch::kEllArc;
    default:
      return QvDbHatch::kSpline;
  }
}

}  // namespace

std::unique_ptr<QvDbHatch> solidHatch(const QvGeVector3d& normal, double elevation) {
  auto hatch = std::make_unique<QvDbHatch>();
  EXPECT_EQ(Vexa::eOk, hatch->setNormal(normal));
  EXPECT_EQ(Vexa::eOk, hatch->setElevation(elevation));
  return hatch;
}

void addEdgeLoop(QvDbHatch& hatch, const EdgeList& edges, int type) {
  QvArray<QvGeCurve2d*> pointers;
  QvGeIntArray types;
  for (const auto& edge : edges) {
    pointers.append(edge.get());
    types.append(edgeType(*edge));
  }
  EXPECT_EQ(Vexa::eOk, hatch.appendLoop(type, pointers, types));
}

void addPolylineLoop(QvDbHatch& hatch, std::initializer_list<QvGePoint2d> vertices,
                     std::initializer_list<double> bulges, int type) {
  QvGePoint2dArray points;
  for (const QvGePoint2d& p : vertices) points.append(p);
  QvGeDoubleArray factors;
  for (const double b : bulges) factors.append(b);
  EXPECT_EQ(Vexa::eOk, hatch.appendLoop(type, points, factors));
}

EdgeList rectangleEdges(double x0, double y0, double x1, double y1) {
  const QvGePoint2d corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  EdgeList edges;
  for (int i = 0; i < 4; ++i)
    edges.push_back(std::make_unique<QvGeLineSeg2d>(corners[i], corners[(i + 1) % 4]));
  return edges;
}

EdgeList circleEdges(const QvGePoint2d& center, double radius) {
  EdgeList edges;
  edges.push_back(std::make_unique<QvGeCircArc2d>(center, radius));
  return edges;
}
