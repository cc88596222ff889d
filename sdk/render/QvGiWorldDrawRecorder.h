#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiViewportDraw.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/render/QvGiTraitValues.h"

// A world draw that keeps what it is given, in world coordinates: each primitive with its
// kind, its points (a polyline's or polygon's vertices; for conics the center first), its data
// and the traits in force. Nested drawables are drawn in place (their own traits for the time
// they draw); `depth` tells how deep a primitive was drawn. A drawable whose worldDraw answers
// false is asked for its viewportDraw next, with the recorder as the viewport draw. Used by tests
// and as the base of simple writers.
class QvGiWorldDrawRecorder : public QvGiWorldDraw,
                              public QvGiViewportDraw,
                              private QvGiGeometry,
                              private QvGiViewport {
 public:
  enum Kind {
    kPolyline,
    kCircle,
    kCircularArc,
    kEllipticArc,
    kText,
    kPolygon,
    kRay,
    kXline,
    kPolyPolygon,
  };

  struct Primitive {
    Kind kind = kPolyline;
    QvGePoint3dArray points;  // vertices; conics: the center
    QvArray<int> counts;      // polyPolygon: the number of points of each polygon, in order
    QvGeVector3d normal;      // the plane of conics and texts (transformed)
    // Circles and arcs: the transformed radius (the image of a circle under a non-uniform
    // model transform is recorded as an elliptic arc instead).
    double radius = 0.0;
    QvGeVector3d startVector;  // arcs: unit, from the center to the start
    double sweep = 0.0;        // arcs: angle swept counterclockwise about the normal
    // Elliptic arcs: the axes' vectors (lengths are the radii) and the parameter range.
    QvGeVector3d majorAxis;
    QvGeVector3d minorAxis;
    double startParam = 0.0;
    double endParam = 0.0;
    // Rays and xlines: the direction (with points[0] the base point). Texts: the direction
    // (unit) and up vector (its length the height), and the string.
    QvGeVector3d direction;
    QvGeVector3d up;
    double widthFactor = 1.0;
    QvString text;
    // Traits in force.
    uint16_t color = 256;
    QvDbObjectId layerId;
    int64_t marker = 0;
    int depth = 0;
  };

  QvGiWorldDrawRecorder();

  // Lets the drawable set its traits, then draws it (depth 0).
  bool drawTopLevel(QvGiDrawable* drawable);

  const std::vector<Primitive>& primitives() const { return primitives_; }
  // Hands the primitives over, leaving the recorder empty.
  std::vector<Primitive> takePrimitives() { return std::move(primitives_); }
  // Room for n primitives, so that a big drawing is recorded without moving them.
  void reserve(size_t n) { primitives_.reserve(n); }
  int count(Kind kind) const;
  void clear() { primitives_.clear(); }

  QvGiGeometry& geometry() const override;
  QvGiSubEntityTraits& subEntityTraits() const override;
  // The one viewport drawables that draw per viewport are drawn for (viewportDraw, asked when
  // worldDraw answers false): a plan view unless set.
  const QvGiViewport& viewport() const override;
  void setView(const QvGePoint3d& camera, const QvGePoint3d& target);
  // Draws a drawable's viewport part alone, at depth 0 (for drawables that draw both).
  void drawViewportTopLevel(QvGiDrawable* drawable);

 private:
  QvGeMatrix3d getWorldToEyeTransform() const override;
  QvGePoint3d getCameraLocation() const override { return camera_; }
  QvGePoint3d getCameraTarget() const override { return target_; }

  void polyline(int numVertices, const QvGePoint3d* vertices,
                const QvGeVector3d* normal = nullptr) override;
  void circle(const QvGePoint3d& center, double radius, const QvGeVector3d& normal) override;
  void circularArc(const QvGePoint3d& center, double radius, const QvGeVector3d& normal,
                   const QvGeVector3d& startVector, double sweepAngle) override;
  void ellipticArc(const QvGeEllipArc3d& arc) override;
  void ray(const QvGePoint3d& basePoint, const QvGeVector3d& direction) override;
  void xline(const QvGePoint3d& point, const QvGeVector3d& direction) override;
  void text(const QvGePoint3d& position, const QvGeVector3d& normal, const QvGeVector3d& direction,
            double height, double widthFactor, double oblique, const QvString& text) override;
  void polygon(int numVertices, const QvGePoint3d* vertices) override;
  void polyPolygon(int numPolygons, const int* numVertices, const QvGePoint3d* vertices) override;
  void draw(QvGiDrawable* drawable) override;
  void pushModelTransform(const QvGeMatrix3d& matrix) override;
  void popModelTransform() override;

  Primitive start(Kind kind) const;
  const QvGeMatrix3d& current() const { return transforms_.back(); }

  std::vector<Primitive> primitives_;
  std::vector<QvGeMatrix3d> transforms_;
  mutable QvGiTraitValues traits_;
  int depth_ = -1;
  QvGePoint3d camera_{0, 0, 1};
  QvGePoint3d target_;
};
