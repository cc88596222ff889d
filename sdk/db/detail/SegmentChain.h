#pragma once

#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeExtents3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace qvdb_detail {

// A vertex of a polyline in the chain's own coordinates (the polyline's OCS with z ignored,
// or the world for 3D polylines): the point, the bulge of the segment that leaves it (the
// tangent of a quarter of its angle, positive counterclockwise about the chain's z axis), the
// widths at both ends of that segment and the vertex identifier.
struct ChainVertex {
  QvGePoint3d point;
  double bulge = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  int identifier = 0;
};

// One segment of a chain, in world coordinates: a straight segment or a circular arc that
// runs counterclockwise about its own normal from the segment's first vertex to its second.
// `span` is the length of the geometry curve's interval (1 for a line, the angle of an arc),
// so the chain's fraction f of a segment is the curve parameter lower + f * span.
struct ChainSegment {
  bool isArc = false;
  QvGeLineSeg3d line;
  QvGeCircArc3d arc;
  const QvGeCurve3d& curve() const;
  double span() const;
  double lower() const;
};

// The geometry of a polyline: straight and circular segments through its vertices. Its
// parameter is the vertex index plus the fraction of the segment that follows it (of the
// length of a line, of the angle of an arc). A closed chain has a segment from the last
// vertex back to the first. Works on the vertices in place; every query touches only the
// segments it needs and allocates nothing, except those that return vertex lists.
class SegmentChain {
 public:
  // toWorld carries chain coordinates to the world (a rigid map); normal is the world z axis
  // of the chain, about which positive bulges turn.
  SegmentChain(const std::vector<ChainVertex>& vertices, bool closed, const QvGeMatrix3d& toWorld,
               const QvGeVector3d& normal);

  int numVertices() const { return static_cast<int>(vertices_.size()); }
  int numSegments() const;
  bool isClosed() const { return closed_; }
  double endParam() const { return static_cast<double>(numSegments()); }
  const std::vector<ChainVertex>& vertices() const { return vertices_; }
  QvGePoint3d worldPoint(const QvGePoint3d& chainPoint) const;
  QvGePoint3d vertexAt(int i) const;  // world
  const QvGeMatrix3d& toWorld() const { return toWorld_; }
  const QvGeVector3d& normal() const { return normal_; }

  // The segment that leaves vertex i; false when there is none. A segment whose ends
  // coincide is a straight segment of zero length.
  bool segmentAt(int i, ChainSegment& segment) const;
  // True for parameters in [0, endParam] (within a small tolerance).
  bool containsParam(double param) const;
  // The segment holding a parameter of the chain and the fraction within it (the end param
  // belongs to the last segment).
  int segmentOf(double param, double& fraction) const;

  QvGePoint3d pointAt(double param) const;
  // The point and its first numDeriv derivatives with respect to the chain's parameter.
  void evaluate(double param, int numDeriv, QvGePoint3d& point, QvGeVector3d* derivs) const;
  // The parameter of a point within tol of the chain (the first segment that holds it).
  bool paramOf(const QvGePoint3d& point, double tol, double& param) const;
  double distAt(double param) const;
  bool paramAtDist(double dist, double& param) const;
  double length() const;
  // The nearest point of the chain (with extend: of an open chain continued along its end
  // segments' carriers), and its parameter (for the continued parts, the nearest end's).
  QvGePoint3d closestPointTo(const QvGePoint3d& point, bool extend, double& param) const;
  // Seen along the chain's normal, the nearest point to the point's foot on the chain's plane
  // (no allocation); along another direction the nearest seen that way, segment by segment.
  bool projClosestPointTo(const QvGePoint3d& point, const QvGeVector3d& direction, bool extend,
                          QvGePoint3d& result) const;
  // The curves of the segments (with extend, the end segments of an open chain continued:
  // straight ones as rays beyond their ends, arcs as their circles), as new curves.
  void outlineCurves(bool extend, QvArray<QvGeCurve3d*>& curves) const;
  // The carrier an end segment of an open chain continues on (see outlineCurves), built in
  // `buffer`; null without segments or for an end segment of no length.
  const QvGeCurve3d* endCarrier(bool atStart, GeCurveBuffer& buffer) const;

  // The vertices of the part from one parameter to a later one, in chain coordinates, with
  // the arcs' bulges and the widths cut to size. On a closed chain `to` may pass the end
  // (up to one turn): the part then runs through the seam.
  std::vector<ChainVertex> piece(double from, double to) const;
  // Signed area in the chain's plane (counterclockwise about the normal positive), closed by
  // the chord from the last vertex to the first when open.
  double signedArea() const;
  QvGeExtents3d extents() const;

  // Moving one end to lengthen the chain: the new position of the end vertex (chain
  // coordinates) and the new bulge of the end segment.
  struct EndChange {
    bool atStart = false;
    QvGePoint3d point;
    double bulge = 0.0;
  };
  // To a parameter below 0 or above the end (eInvalidInput inside, eNotApplicable when
  // closed or when the end segment has no length).
  Vexa::ErrorStatus extensionToParam(double param, EndChange& change) const;
  // To a point of the end segment's carrier beyond that end (eInvalidInput otherwise).
  Vexa::ErrorStatus extensionToPoint(bool atStart, const QvGePoint3d& point, double tol,
                                     EndChange& change) const;

  // The vertices of the same chain run backwards: the order reversed (a closed chain keeps its
  // first vertex first), bulges negated and widths exchanged so that every segment keeps its
  // shape. `order` (when given) receives the old index of each new vertex.
  static std::vector<ChainVertex> reversed(const std::vector<ChainVertex>& vertices, bool closed,
                                           std::vector<int>* order = nullptr);
  // The bulge of the part of a segment with bulge `bulge` between two fractions.
  static double partialBulge(double bulge, double fromFraction, double toFraction);

 private:
  bool isArcAt(int segment) const;
  QvGePoint3d chainPointAt(int segment, double fraction) const;
  ChainVertex cutVertex(int segment, double fraction) const;

  const std::vector<ChainVertex>& vertices_;
  bool closed_;
  QvGeMatrix3d toWorld_;
  QvGeMatrix3d toChain_;
  QvGeVector3d normal_;
};

}  // namespace qvdb_detail
