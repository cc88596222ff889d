#include "sdk/render/QvGiWorldDrawRecorder.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiDrawable.h"

namespace {

QvGeVector3d linear(const QvGeMatrix3d& m, const QvGeVector3d& v) {
  QvGeVector3d r = v;
  return r.transformBy(m);
}

QvGePoint3d mapped(const QvGeMatrix3d& m, const QvGePoint3d& p) {
  QvGePoint3d r = p;
  return r.transformBy(m);
}

// The image of a circular arc: a circular arc when the map keeps it round, else an ellipse.
bool keepsRound(const QvGeMatrix3d& m, const QvGeVector3d& u, const QvGeVector3d& v,
                double& factor) {
  const QvGeVector3d mu = linear(m, u), mv = linear(m, v);
  const double lu = mu.length(), lv = mv.length();
  factor = lu;
  const double tol = QvGePrecision::kRelative * std::fmax(lu, lv);
  return std::fabs(lu - lv) <= tol && std::fabs(mu.dotProduct(mv)) <= tol * std::fmax(lu, lv);
}

}  // namespace

QvGiWorldDrawRecorder::QvGiWorldDrawRecorder() {
  transforms_.push_back(QvGeMatrix3d::kIdentity);
}

bool QvGiWorldDrawRecorder::drawTopLevel(QvGiDrawable* drawable) {
  if (!drawable) return false;
  draw(drawable);
  return true;
}

int QvGiWorldDrawRecorder::count(Kind kind) const {
  int n = 0;
  for (const Primitive& p : primitives_) n += p.kind == kind ? 1 : 0;
  return n;
}

QvGiGeometry& QvGiWorldDrawRecorder::geometry() const {
  return const_cast<QvGiWorldDrawRecorder&>(*this);
}

QvGiSubEntityTraits& QvGiWorldDrawRecorder::subEntityTraits() const {
  return traits_;
}

QvGiWorldDrawRecorder::Primitive QvGiWorldDrawRecorder::start(Kind kind) const {
  Primitive p;
  p.kind = kind;
  p.color = traits_.color();
  p.layerId = traits_.layerId();
  p.marker = traits_.selectionMarker();
  p.depth = depth_;
  return p;
}

void QvGiWorldDrawRecorder::polyline(int numVertices, const QvGePoint3d* vertices,
                                     const QvGeVector3d* normal) {
  Primitive& p = primitives_.emplace_back(start(kPolyline));
  p.points.setPhysicalLength(numVertices);
  for (int i = 0; i < numVertices; ++i) p.points.append(mapped(current(), vertices[i]));
  if (normal) p.normal = linear(current(), *normal);
}

void QvGiWorldDrawRecorder::circle(const QvGePoint3d& center, double radius,
                                   const QvGeVector3d& normal) {
  const QvGeVector3d n = normal.normal();
  circularArc(center, radius, n, n.perpVector().normal(), QvGe::k2Pi);
  if (!primitives_.empty() && primitives_.back().kind == kCircularArc)
    primitives_.back().kind = kCircle;
}

void QvGiWorldDrawRecorder::circularArc(const QvGePoint3d& center, double radius,
                                        const QvGeVector3d& normal, const QvGeVector3d& startVector,
                                        double sweepAngle) {
  const QvGeVector3d n = normal.normal();
  const QvGeVector3d u = startVector.normal();
  const QvGeVector3d v = n.crossProduct(u);
  double factor = 1.0;
  if (!keepsRound(current(), u, v, factor)) {
    const QvGeEllipArc3d arc(center, u, v, radius, radius, 0.0, sweepAngle);
    ellipticArc(arc);
    return;
  }
  Primitive p = start(kCircularArc);
  p.points.append(mapped(current(), center));
  const QvGeVector3d mu = linear(current(), u), mv = linear(current(), v);
  p.normal = mu.crossProduct(mv).normal();
  p.radius = radius * factor;
  p.startVector = mu.normal();
  p.sweep = sweepAngle;
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::ellipticArc(const QvGeEllipArc3d& arc) {
  QvGeEllipArc3d image(arc);
  if (image.transformBy(current()) != Vexa::eOk) return;
  Primitive p = start(kEllipticArc);
  p.points.append(image.center());
  p.normal = image.normal();
  p.majorAxis = image.majorAxis() * image.majorRadius();
  p.minorAxis = image.minorAxis() * image.minorRadius();
  p.startParam = image.startAng();
  p.endParam = image.endAng();
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::ray(const QvGePoint3d& basePoint, const QvGeVector3d& direction) {
  Primitive p = start(kRay);
  p.points.append(mapped(current(), basePoint));
  p.direction = linear(current(), direction);
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::xline(const QvGePoint3d& point, const QvGeVector3d& direction) {
  Primitive p = start(kXline);
  p.points.append(mapped(current(), point));
  p.direction = linear(current(), direction);
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::text(const QvGePoint3d& position, const QvGeVector3d& normal,
                                 const QvGeVector3d& direction, double height, double widthFactor,
                                 double oblique, const QvString& text) {
  Primitive p = start(kText);
  p.points.append(mapped(current(), position));
  p.normal = linear(current(), normal);
  const QvGeVector3d up = normal.normal().crossProduct(direction.normal());
  p.direction = linear(current(), direction.normal());
  p.up = linear(current(), (up + direction.normal() * std::tan(oblique)) * height);
  p.widthFactor = widthFactor;
  p.text = text;
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::polygon(int numVertices, const QvGePoint3d* vertices) {
  Primitive p = start(kPolygon);
  for (int i = 0; i < numVertices; ++i) p.points.append(mapped(current(), vertices[i]));
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::polyPolygon(int numPolygons, const int* numVertices,
                                        const QvGePoint3d* vertices) {
  Primitive p = start(kPolyPolygon);
  const QvGePoint3d* next = vertices;
  for (int k = 0; k < numPolygons; ++k) {
    const int n = std::max(numVertices[k], 0);
    p.counts.append(n);
    for (int i = 0; i < n; ++i) p.points.append(mapped(current(), *next++));
  }
  primitives_.push_back(std::move(p));
}

void QvGiWorldDrawRecorder::draw(QvGiDrawable* drawable) {
  if (!drawable) return;
  const QvGiTraitValues saved = traits_;
  traits_.setSelectionMarker(0);
  ++depth_;
  drawable->setAttributes(&traits_);
  if (!drawable->worldDraw(this)) drawable->viewportDraw(this);
  --depth_;
  traits_ = saved;
}

void QvGiWorldDrawRecorder::drawViewportTopLevel(QvGiDrawable* drawable) {
  if (!drawable) return;
  const QvGiTraitValues saved = traits_;
  traits_.setSelectionMarker(0);
  ++depth_;
  drawable->setAttributes(&traits_);
  drawable->viewportDraw(this);
  --depth_;
  traits_ = saved;
}

const QvGiViewport& QvGiWorldDrawRecorder::viewport() const {
  return *this;
}

void QvGiWorldDrawRecorder::setView(const QvGePoint3d& camera, const QvGePoint3d& target) {
  if (camera.isEqualTo(target)) return;
  camera_ = camera;
  target_ = target;
}

QvGeMatrix3d QvGiWorldDrawRecorder::getWorldToEyeTransform() const {
  // The eye's z axis points from the target at the camera; its x axis lies level when it can.
  const QvGeVector3d z = (camera_ - target_).normal();
  QvGeVector3d x = QvGeVector3d::kZAxis.crossProduct(z);
  if (x.isZeroLength()) x = QvGeVector3d::kXAxis;
  x.normalize();
  const QvGeVector3d y = z.crossProduct(x);
  QvGeMatrix3d eye;
  eye.setToAlignCoordSys(target_, x, y, z, QvGePoint3d::kOrigin, QvGeVector3d::kXAxis,
                         QvGeVector3d::kYAxis, QvGeVector3d::kZAxis);
  return eye;
}

void QvGiWorldDrawRecorder::pushModelTransform(const QvGeMatrix3d& matrix) {
  transforms_.push_back(current() * matrix);
}

void QvGiWorldDrawRecorder::popModelTransform() {
  if (transforms_.size() > 1) transforms_.pop_back();
}
