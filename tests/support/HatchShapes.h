#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "sdk/db/QvDbHatch.h"
#include "sdk/ge/QvGeCurve2d.h"

// Hatches for tests, built through the hatch's own interface (a refusal fails the test).

using EdgeList = std::vector<std::unique_ptr<QvGeCurve2d>>;

// A solid hatch in no database, in the plane of `normal` at `elevation`.
std::unique_ptr<QvDbHatch> solidHatch(const QvGeVector3d& normal = QvGeVector3d::kZAxis,
                                      double elevation = 0.0);
// Appends a loop in edge form (the edge types follow the edges' geometry).
void addEdgeLoop(QvDbHatch& hatch, const EdgeList& edges, int type = QvDbHatch::kExternal);
// Appends a loop in polyline form; no bulges means straight sides.
void addPolylineLoop(QvDbHatch& hatch, std::initializer_list<QvGePoint2d> vertices,
                     std::initializer_list<double> bulges = {}, int type = QvDbHatch::kExternal);
// The four sides of an axis-aligned rectangle, counterclockwise from (x0, y0).
EdgeList rectangleEdges(double x0, double y0, double x1, double y1);
// One edge, a whole circle.
EdgeList circleEdges(const QvGePoint2d& center, double radius);
