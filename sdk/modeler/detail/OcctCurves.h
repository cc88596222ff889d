#pragma once

#include <Geom_Curve.hxx>
#include <Standard_Handle.hxx>
#include <TopoDS_Edge.hxx>

#include <vector>

class QvGeCurve3d;

namespace qvmodeler_detail {

// A piece of a chain: its carrier curve and the parameter range it covers, first to last.
struct CurvePiece {
  Handle(Geom_Curve) curve;
  double first = 0.0;
  double last = 0.0;
};

// The pieces of a geometry curve (a composite or a polyline gives one piece per part of
// non-zero length): segments as lines, circular and elliptical arcs as conics, NURBS curves as
// B-splines. False for unbounded or invalid curves and kinds without a carrier.
bool piecesOf(const QvGeCurve3d& curve, std::vector<CurvePiece>& pieces);

// The geometry of an edge as a new geometry curve running the way the edge is oriented: a line
// segment (between the edge's vertices, exactly), a circular or elliptical arc, else a NURBS
// curve whose ends are the vertices. Null when the edge has no curve.
QvGeCurve3d* curveOfEdge(const TopoDS_Edge& edge);

}  // namespace qvmodeler_detail
