#include "cmdutil/geometry/Vexa2dPolyline_Extension.h"

#include <cmath>
#include <vector>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "cmdutil/geometry/XqNearestSegment.h"
#include "cmdutil/geometry/XqVertexWalk.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"

namespace {

constexpr double kNoBulge = 1e-10;

struct Vertex {
  QvGePoint3d position;  // world
  double bulge = 0.0;
};

// The vertices on the curve, in order (a splined polyline's control frame is not).
std::vector<Vertex> verticesOf(const QvDb2dPolyline& polyline) {
  std::vector<Vertex> vertices;
  xqForEachVertex<QvDb2dVertex>(polyline, [&](const QvDb2dVertex& vertex) {
    if (vertex.vertexType() != k2dSplineCtlVertex)
      vertices.push_back({polyline.vertexPosition(vertex), vertex.bulge()});
    return true;
  });
  return vertices;
}

// The segment leaving `from` toward `to`: an arc for a bulge, else a line. The arc turns
// counterclockwise about the normal for a positive bulge; its middle lies bulge * chord / 2 off
// the chord's middle.
void offerSegment(XqNearestSegment& nearest, const Vertex& from, const QvGePoint3d& to,
                  const QvGeVector3d& normal) {
  if (from.position.isEqualTo(to)) return;
  if (std::fabs(from.bulge) <= kNoBulge) {
    nearest.offerLine(from.position, to);
    return;
  }
  const QvGeVector3d chord = to - from.position;
  const QvGePoint3d middle =
      from.position + chord * 0.5 + chord.crossProduct(normal) * (from.bulge * 0.5);
  const QvGeCircArc3d arc(from.position, middle, to);
  if (arc.isValid()) nearest.offerArc(arc);
}

}  // namespace

Vexa::ErrorStatus Vexa2dPolyline_Extension::getAlignedUCS(QvDbEntity* entity,
                                                          const QvGePoint3d* pickPoint,
                                                          QvGsView* view, QvGeMatrix3d& ucs) {
  const QvDb2dPolyline* polyline = QvDb2dPolyline::cast(entity);
  if (!polyline) return Vexa::eNotApplicable;
  const std::vector<Vertex> vertices = verticesOf(*polyline);
  if (vertices.size() < 2) return Vexa::eNotApplicable;
  const QvGeVector3d normal = XqAlignedUcs::normalOrZ(polyline->normal());
  QvGePoint3d origin = vertices[0].position;
  QvGeVector3d x = vertices[1].position - vertices[0].position;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  if (pickPoint) {
    QvGePlane plane;
    QvDb::Planarity planarity = QvDb::kNonPlanar;
    if (polyline->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
      return Vexa::eNotApplicable;
    XqNearestSegment nearest(XqAlignedUcs::projectPick(*pickPoint, *view, plane));
    for (size_t i = 0; i + 1 < vertices.size(); ++i)
      offerSegment(nearest, vertices[i], vertices[i + 1].position, normal);
    // A closed polyline's last vertex runs back to the first.
    if (polyline->isClosed()) offerSegment(nearest, vertices.back(), vertices[0].position, normal);
    if (nearest.found()) {
      origin = nearest.origin();
      x = nearest.xAxis();
    }
  }
  return XqAlignedUcs::setFromX(ucs, origin, x, normal) ? Vexa::eOk : Vexa::eNotApplicable;
}

Vexa::ErrorStatus Vexa2dPolyline_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDb2dPolyline* polyline = QvDb2dPolyline::cast(entity);
  if (!polyline) return Vexa::eNotApplicable;
  return polyline->getStartPoint(point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
