#pragma once

#include <initializer_list>
#include <memory>

#include "sdk/db/QvDbPolyline.h"

// A lightweight polyline in no database through `points`, open unless `closed`; the bulges
// are those of the segments from the points in turn (0 for those not given).
inline std::unique_ptr<QvDbPolyline> lightweightPolyline(std::initializer_list<QvGePoint2d> points,
                                                         std::initializer_list<double> bulges = {},
                                                         bool closed = false) {
  auto polyline = std::make_unique<QvDbPolyline>();
  auto bulge = bulges.begin();
  for (const QvGePoint2d& p : points)
    polyline->addVertexAt(polyline->numVerts(), p, bulge != bulges.end() ? *bulge++ : 0.0);
  polyline->setClosed(closed);
  return polyline;
}
