#pragma once

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGeEllipArc3d;
class QvGeNurbCurve3d;
class QvGiDrawable;

// The primitives a drawable draws with, given in model coordinates: the world, or the frame
// that pushModelTransform set up (a block reference draws its block's entities under its block
// transform). Implementations record, render or write them; the graphics of the host, the
// previewer and the picture writers each have their own.
class QvGiGeometry {
 public:
  virtual ~QvGiGeometry() = default;

  // Straight segments through the points; one point draws a dot. `normal` (may be null) is the
  // plane the chain lies in.
  virtual void polyline(int numVertices, const QvGePoint3d* vertices,
                        const QvGeVector3d* normal = nullptr) = 0;
  virtual void circle(const QvGePoint3d& center, double radius, const QvGeVector3d& normal) = 0;
  // The arc from center + radius * startVector (a unit vector in the plane) counterclockwise
  // about the normal through sweepAngle (0 < sweepAngle <= 2 pi).
  virtual void circularArc(const QvGePoint3d& center, double radius, const QvGeVector3d& normal,
                           const QvGeVector3d& startVector, double sweepAngle) = 0;
  virtual void ellipticArc(const QvGeEllipArc3d& arc) = 0;
  // Unbounded lines: a ray from its base point along a direction, and a line through a point
  // both ways.
  virtual void ray(const QvGePoint3d& basePoint, const QvGeVector3d& direction) = 0;
  virtual void xline(const QvGePoint3d& point, const QvGeVector3d& direction) = 0;
  // A NURBS curve. The base draws it as the polyline of its sample points (the geometry
  // library's density); a renderer with curves of its own overrides it.
  virtual void nurbs(const QvGeNurbCurve3d& curve);
  // One line of text: its baseline starts at position and runs along direction (a unit vector
  // in the plane with the normal); height is the capital height, widthFactor stretches the
  // characters, oblique slants them (radians from upright).
  virtual void text(const QvGePoint3d& position, const QvGeVector3d& normal,
                    const QvGeVector3d& direction, double height, double widthFactor,
                    double oblique, const QvString& text) = 0;
  // A filled polygon through the points.
  virtual void polygon(int numVertices, const QvGePoint3d* vertices) = 0;
  // One area bounded by several closed polygons (numVertices[i] points each, one after the
  // other in `vertices`), filled even-odd: a point is inside when it lies inside an odd number
  // of them, so a polygon inside another makes a hole and one inside that an island.
  virtual void polyPolygon(int numPolygons, const int* numVertices,
                           const QvGePoint3d* vertices) = 0;
  // Draws another drawable (an entity of a block, an attribute) where this one is drawn.
  virtual void draw(QvGiDrawable* drawable) = 0;
  // Model transforms nest: each push applies its matrix after the ones already pushed are
  // undone, that is the primitives that follow are mapped by (outer ... inner) matrices.
  virtual void pushModelTransform(const QvGeMatrix3d& matrix) = 0;
  virtual void popModelTransform() = 0;
};
