#include "sdk/render/QvGiSvgWorldDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiAciColors.h"
#include "sdk/gi/QvGiDrawable.h"
#include "sdk/render/QvGiSvgCanvas.h"

namespace {

using Point = QvGiSvgCanvas::Point;

constexpr double kTurn = 2.0 * std::numbers::pi;
// Segments of a whole turn of a conic that does not stay round.
constexpr int kSegmentsPerTurn = 96;
constexpr int kColorByBlock = 0;
constexpr int kColorByLayer = 256;
constexpr int kColorForeground = 7;

Point flat(const QvGePoint3d& p) {
  return {p.x, p.y};
}
Point flat(const QvGeVector3d& v) {
  return {v.x, v.y};
}
double length(const Point& v) {
  return std::hypot(v[0], v[1]);
}
double cross(const Point& a, const Point& b) {
  return a[0] * b[1] - a[1] * b[0];
}
double dot(const Point& a, const Point& b) {
  return a[0] * b[0] + a[1] * b[1];
}

QvGeVector3d linear(const QvGeMatrix3d& m, QvGeVector3d v) {
  return v.transformBy(m);
}
QvGePoint3d mapped(const QvGeMatrix3d& m, QvGePoint3d p) {
  return p.transformBy(m);
}

}  // namespace

QvGiSvgWorldDraw::QvGiSvgWorldDraw(QvGiSvgCanvas& canvas, QvDbLayerStates& layers,
                                   QvDbObjectId layerZeroId)
    : canvas_(canvas), layers_(layers), layerZeroId_(layerZeroId) {
  transforms_.push_back(QvGeMatrix3d::kIdentity);
}

QvGiGeometry& QvGiSvgWorldDraw::geometry() const {
  return const_cast<QvGiSvgWorldDraw&>(*this);
}

QvGiSubEntityTraits& QvGiSvgWorldDraw::subEntityTraits() const {
  return traits_;
}

bool QvGiSvgWorldDraw::drawTopLevel(QvGiDrawable* drawable) {
  frames_.clear();
  traits_ = QvGiTraitValues();
  return drawNested(drawable);
}

void QvGiSvgWorldDraw::draw(QvGiDrawable* drawable) {
  drawNested(drawable);
}

bool QvGiSvgWorldDraw::drawNested(QvGiDrawable* drawable) {
  if (!drawable) return false;
  if (const QvDbEntity* entity = QvDbEntity::cast(drawable);
      entity && entity->visibility() == QvDb::kInvisible)
    return false;
  // A block's attribute definitions show through its references' attributes; only constant
  // ones, which have no attribute, are drawn with the block.
  if (const QvDbAttributeDefinition* definition = QvDbAttributeDefinition::cast(drawable);
      definition && !frames_.empty() && !definition->isConstant())
    return false;
  const QvGiTraitValues saved = traits_;
  traits_.setSelectionMarker(0);
  drawable->setAttributes(&traits_);
  const QvDbObjectId layerId = effectiveLayer(traits_.layerId());
  if (!layers_.of(layerId).isShown()) {
    traits_ = saved;
    return false;
  }
  // The drawable's own colour, which its block's entities of colour "by block" take.
  Frame frame;
  frame.layerId = layerId;
  const int color = traits_.color();
  if (color == kColorByLayer)
    frame.colorIndex = layers_.of(layerId).colorIndex;
  else if (color == kColorByBlock)
    frame.colorIndex = frames_.empty() ? kColorForeground : frames_.back().colorIndex;
  else
    frame.colorIndex = color;
  frames_.push_back(frame);
  drawable->worldDraw(this);
  frames_.pop_back();
  traits_ = saved;
  return true;
}

QvDbObjectId QvGiSvgWorldDraw::effectiveLayer(QvDbObjectId layerId) const {
  // frames_ holds the drawables around the one being drawn: a block's entity on layer "0"
  // lies on the layer of its reference.
  if (layerId == layerZeroId_ && !frames_.empty()) return frames_.back().layerId;
  return layerId;
}

uint32_t QvGiSvgWorldDraw::currentRgb() const {
  int color = traits_.color();
  if (color == kColorByLayer) {
    // The primitive's layer: its own, or the drawable's when it is layer "0" in a block.
    QvDbObjectId layerId = traits_.layerId();
    if (layerId == layerZeroId_ && frames_.size() > 1)
      layerId = frames_[frames_.size() - 2].layerId;
    color = layers_.of(layerId).colorIndex;
  } else if (color == kColorByBlock) {
    color = frames_.size() > 1 ? frames_[frames_.size() - 2].colorIndex : kColorForeground;
  }
  return color == kColorForeground ? 0x000000 : qvgiAciToRgb(color);
}

void QvGiSvgWorldDraw::polyline(int numVertices, const QvGePoint3d* vertices,
                                const QvGeVector3d* /*normal*/) {
  if (numVertices <= 0 || !vertices) return;
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(numVertices));
  for (int i = 0; i < numVertices; ++i) points.push_back(flat(mapped(current(), vertices[i])));
  canvas_.polyline(points, false, currentRgb());
}

void QvGiSvgWorldDraw::polygon(int numVertices, const QvGePoint3d* vertices) {
  if (numVertices <= 0 || !vertices) return;
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(numVertices));
  for (int i = 0; i < numVertices; ++i) points.push_back(flat(mapped(current(), vertices[i])));
  canvas_.polygon(points, currentRgb());
}

void QvGiSvgWorldDraw::polyPolygon(int numPolygons, const int* numVertices,
                                   const QvGePoint3d* vertices) {
  if (numPolygons <= 0 || !numVertices || !vertices) return;
  std::vector<std::vector<Point>> rings(static_cast<size_t>(numPolygons));
  const QvGePoint3d* next = vertices;
  for (int k = 0; k < numPolygons; ++k) {
    std::vector<Point>& ring = rings[static_cast<size_t>(k)];
    const int n = std::max(numVertices[k], 0);
    ring.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) ring.push_back(flat(mapped(current(), *next++)));
  }
  canvas_.polygons(rings, currentRgb());
}

void QvGiSvgWorldDraw::circle(const QvGePoint3d& center, double radius,
                              const QvGeVector3d& normal) {
  const QvGeVector3d n = normal.normal();
  const QvGeVector3d u = n.perpVector();
  conic(center, u * radius, n.crossProduct(u) * radius, 0.0, kTurn);
}

void QvGiSvgWorldDraw::circularArc(const QvGePoint3d& center, double radius,
                                   const QvGeVector3d& normal, const QvGeVector3d& startVector,
                                   double sweepAngle) {
  const QvGeVector3d n = normal.normal();
  const QvGeVector3d u = startVector.normal();
  conic(center, u * radius, n.crossProduct(u) * radius, 0.0, sweepAngle);
}

void QvGiSvgWorldDraw::ellipticArc(const QvGeEllipArc3d& arc) {
  double sweep = arc.endAng() - arc.startAng();
  if (sweep <= 0.0) sweep += kTurn;
  conic(arc.center(), arc.majorAxis() * arc.majorRadius(), arc.minorAxis() * arc.minorRadius(),
        arc.startAng(), sweep);
}

void QvGiSvgWorldDraw::conic(const QvGePoint3d& center, const QvGeVector3d& u,
                             const QvGeVector3d& v, double start, double sweep) {
  const Point c = flat(mapped(current(), center));
  const Point a = flat(linear(current(), u));
  const Point b = flat(linear(current(), v));
  const uint32_t rgb = currentRgb();
  const double la = length(a), lb = length(b);
  const double scale = std::max(la, lb);
  if (scale == 0.0) {
    canvas_.polyline({c}, false, rgb);  // seen edge-on at a point
    return;
  }
  // Round when the two half axes stay equal and at right angles.
  const double tol = QvGePrecision::kRelative * scale;
  if (std::fabs(la - lb) <= tol && std::fabs(dot(a, b)) <= tol * scale) {
    // Seen from below (a mirrored or upturned conic), the parameter runs clockwise.
    const double turn = cross(a, b) > 0.0 ? 1.0 : -1.0;
    const double axisAngle = std::atan2(a[1], a[0]);
    canvas_.arc(c, la, axisAngle + turn * start, turn * sweep, rgb);
    return;
  }
  const int segments =
      std::max(8, static_cast<int>(std::ceil(kSegmentsPerTurn * std::fabs(sweep) / kTurn)));
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double t = start + sweep * i / segments;
    points.push_back({c[0] + std::cos(t) * a[0] + std::sin(t) * b[0],
                      c[1] + std::cos(t) * a[1] + std::sin(t) * b[1]});
  }
  canvas_.polyline(points, false, rgb);
}

void QvGiSvgWorldDraw::ray(const QvGePoint3d& basePoint, const QvGeVector3d& direction) {
  canvas_.infiniteLine(flat(mapped(current(), basePoint)), flat(linear(current(), direction)), true,
                       currentRgb());
}

void QvGiSvgWorldDraw::xline(const QvGePoint3d& point, const QvGeVector3d& direction) {
  canvas_.infiniteLine(flat(mapped(current(), point)), flat(linear(current(), direction)), false,
                       currentRgb());
}

void QvGiSvgWorldDraw::text(const QvGePoint3d& position, const QvGeVector3d& normal,
                            const QvGeVector3d& direction, double height, double widthFactor,
                            double oblique, const QvString& text) {
  if (!(height > 0.0) || text.isEmpty()) return;
  const QvGeVector3d along = direction.normal();
  const QvGeVector3d up = normal.normal().crossProduct(along);
  // The baseline, the height across it, and the slant of the letters, as the plan shows them.
  const Point base = flat(linear(current(), along * height));
  const Point rise = flat(linear(current(), up * height));
  const Point stroke = flat(linear(current(), (up + along * std::tan(oblique)) * height));
  const double baseLength = length(base);
  const double riseLength = length(rise);
  if (baseLength == 0.0 || riseLength == 0.0) return;  // seen edge-on
  canvas_.text(flat(mapped(current(), position)), {base[0] / baseLength, base[1] / baseLength},
               {stroke[0] / riseLength, stroke[1] / riseLength}, riseLength,
               widthFactor * baseLength / riseLength, text, currentRgb());
}

void QvGiSvgWorldDraw::pushModelTransform(const QvGeMatrix3d& matrix) {
  transforms_.push_back(current() * matrix);
}

void QvGiSvgWorldDraw::popModelTransform() {
  if (transforms_.size() > 1) transforms_.pop_back();
}
