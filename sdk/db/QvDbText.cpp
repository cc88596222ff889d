#include "sdk/db/QvDbText.h"

#include <cmath>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbIdVisitor.h"
#include "sdk/db/QvDbTextImp.h"
#include "sdk/db/QvDbTextMetrics.h"
#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbText)

using qvdb_detail::directionInFrame;

namespace {

constexpr double kMaxOblique = 85.0 * QvGe::kPi / 180.0;

// Where the alignment point sits in the text's box, as fractions of its width and height.
void alignmentFractions(QvDbTextHorzMode horz, QvDbTextVertMode vert, double& fx, double& fy) {
  fx = horz == kTextCenter || horz == kTextMid ? 0.5 : (horz == kTextRight ? 1.0 : 0.0);
  fy = vert == kTextVertMid ? 0.5 : (vert == kTextTop ? 1.0 : 0.0);
  if (horz == kTextMid) fy = 0.5;
}

// The reading and upward directions (unit) of a text, from one direction in its frame.
struct ReadingFrame {
  ReadingFrame(double rotation, const QvGeVector3d& normal, bool mirroredInX, bool mirroredInY) {
    const QvGeVector3d along = directionInFrame(rotation, normal);
    const QvGeVector3d across = normal.crossProduct(along);
    run = mirroredInX ? -along : along;
    up = mirroredInY ? -across : across;
  }
  QvGeVector3d run, up;
};

}  // namespace

QvDbText::QvDbText(const QvGePoint3d& position, const wchar_t* text, QvDbObjectId style,
                   double height, double rotation)
    : position_(position),
      alignmentPoint_(position),
      text_(text ? text : L""),
      style_(style),
      rotation_(std::isfinite(rotation) ? rotation : 0.0) {
  if (height > 0.0 && std::isfinite(height)) height_ = height;
}

QvGePoint3d QvDbText::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbText::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (horzMode_ == kTextAlign || horzMode_ == kTextFit) {
    position_ = position;
  } else {
    alignmentPoint_ += position - position_;
    position_ = position;
  }
  realign();
  return Vexa::eOk;
}

QvGePoint3d QvDbText::alignmentPoint() const {
  assertReadEnabled();
  return alignmentPoint_;
}

Vexa::ErrorStatus QvDbText::setAlignmentPoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  alignmentPoint_ = point;
  realign();
  return Vexa::eOk;
}

bool QvDbText::isDefaultAlignment() const {
  assertReadEnabled();
  return horzMode_ == kTextLeft && vertMode_ == kTextBase;
}

QvDbTextHorzMode QvDbText::horizontalMode() const {
  assertReadEnabled();
  return horzMode_;
}

Vexa::ErrorStatus QvDbText::setHorizontalMode(QvDbTextHorzMode mode) {
  if (mode < kTextLeft || mode > kTextFit) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  horzMode_ = mode;
  realign();
  return Vexa::eOk;
}

QvDbTextVertMode QvDbText::verticalMode() const {
  assertReadEnabled();
  return vertMode_;
}

Vexa::ErrorStatus QvDbText::setVerticalMode(QvDbTextVertMode mode) {
  if (mode < kTextBase || mode > kTextTop) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertMode_ = mode;
  realign();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbText::adjustAlignment(QvDbDatabase*) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  realign();
  return Vexa::eOk;
}

const QvString& QvDbText::textString() const {
  assertReadEnabled();
  return text_;
}

Vexa::ErrorStatus QvDbText::setTextString(const wchar_t* text) {
  if (!text) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  text_ = text;
  realign();
  return Vexa::eOk;
}

double QvDbText::height() const {
  assertReadEnabled();
  return height_;
}

Vexa::ErrorStatus QvDbText::setHeight(double height) {
  if (!(height > 0.0) || !std::isfinite(height)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  height_ = height;
  realign();
  return Vexa::eOk;
}

double QvDbText::rotation() const {
  assertReadEnabled();
  return rotation_;
}

Vexa::ErrorStatus QvDbText::setRotation(double rotation) {
  if (!std::isfinite(rotation)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rotation_ = rotation;
  realign();
  return Vexa::eOk;
}

double QvDbText::widthFactor() const {
  assertReadEnabled();
  return widthFactor_;
}

Vexa::ErrorStatus QvDbText::setWidthFactor(double factor) {
  if (!(factor > 0.0) || !std::isfinite(factor)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  widthFactor_ = factor;
  realign();
  return Vexa::eOk;
}

double QvDbText::oblique() const {
  assertReadEnabled();
  return oblique_;
}

Vexa::ErrorStatus QvDbText::setOblique(double angle) {
  if (!(std::fabs(angle) <= kMaxOblique)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  oblique_ = angle;
  return Vexa::eOk;
}

QvGeVector3d QvDbText::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbText::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  realign();
  return Vexa::eOk;
}

double QvDbText::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbText::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

QvDbObjectId QvDbText::textStyle() const {
  assertReadEnabled();
  return style_;
}

Vexa::ErrorStatus QvDbText::setTextStyle(QvDbObjectId styleId) {
  if (const Vexa::ErrorStatus es = checkReference(styleId, QvDbTextStyleTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  style_ = styleId;
  return Vexa::eOk;
}

bool QvDbText::isMirroredInX() const {
  assertReadEnabled();
  return mirroredInX_;
}

Vexa::ErrorStatus QvDbText::mirrorInX(bool mirror) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mirroredInX_ = mirror;
  realign();
  return Vexa::eOk;
}

bool QvDbText::isMirroredInY() const {
  assertReadEnabled();
  return mirroredInY_;
}

Vexa::ErrorStatus QvDbText::mirrorInY(bool mirror) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mirroredInY_ = mirror;
  realign();
  return Vexa::eOk;
}

QvGeVector3d QvDbText::direction() const {
  assertReadEnabled();
  return ReadingFrame(rotation_, normal_, mirroredInX_, mirroredInY_).run;
}

QvGeVector3d QvDbText::upDirection() const {
  assertReadEnabled();
  return ReadingFrame(rotation_, normal_, mirroredInX_, mirroredInY_).up;
}

double QvDbText::advanceWidth() const {
  return QvDbTextMetrics::width(text_, height_, widthFactor_);
}

void QvDbText::realign() {
  if (horzMode_ == kTextAlign || horzMode_ == kTextFit) {
    // The baseline runs from the position to the alignment point.
    const QvGeVector3d run = (alignmentPoint_ - position_).orthoProject(normal_);
    const double length = run.length();
    if (length <= QvGeContext::gTol.equalPoint() || text_.isEmpty()) return;
    rotation_ = qvdb_detail::angleInFrame(mirroredInX_ ? -run : run, normal_);
    const double unit = QvDbTextMetrics::width(text_, 1.0, 1.0);
    if (horzMode_ == kTextAlign)
      height_ = length / (unit * widthFactor_);
    else
      widthFactor_ = length / (unit * height_);
    return;
  }
  if (horzMode_ == kTextLeft && vertMode_ == kTextBase) {
    alignmentPoint_ = position_;
    return;
  }
  double fx = 0.0, fy = 0.0;
  alignmentFractions(horzMode_, vertMode_, fx, fy);
  position_ =
      alignmentPoint_ - direction() * (advanceWidth() * fx) - upDirection() * (height_ * fy);
}

Vexa::ErrorStatus QvDbText::getBoundingPoints(QvGePoint3dArray& points) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const QvGeVector3d run = direction() * advanceWidth();
  const QvGeVector3d rise = upDirection() * height_ + direction() * (height_ * std::tan(oblique_));
  const QvGePoint3d bottomLeft = position_;
  points.append(bottomLeft + rise);
  points.append(bottomLeft + rise + run);
  points.append(bottomLeft);
  points.append(bottomLeft + run);
  return Vexa::eOk;
}

void QvDbText::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!style_.isNull()) visitor.visit(style_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbText::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  const ReadingFrame frame(rotation_, normal_, mirroredInX_, mirroredInY_);
  QvGeVector3d run = frame.run, up = frame.up;
  run.transformBy(xform);
  up.transformBy(xform);
  const double runLength = run.length();
  if (!(runLength > 0.0)) return Vexa::eDegenerateGeometry;
  const QvGeVector3d e = run / runLength;
  // A map without shear in the plane (turns, uniform scales, mirrors) keeps up square to the
  // baseline but for rounding: taken as square, so the slant stays as it was.
  double along = up.dotProduct(e);
  const double fullLength = up.length();
  if (std::fabs(along) <= 1e-12 * fullLength) along = 0.0;
  const QvGeVector3d upPerp = up - e * along;
  const double upLength = along == 0.0 ? fullLength : upPerp.length();
  if (!(upLength > 0.0)) return Vexa::eDegenerateGeometry;
  const QvGeVector3d v = upPerp / upLength;
  // The characters' box: the new height is the image of the height across the baseline, the
  // width factor takes the stretch along it, the oblique angle the shear.
  const double height = height_ * upLength;
  const double widthFactor = widthFactor_ * height_ * runLength / height;
  const double oblique =
      std::atan((height_ * along + height_ * std::tan(oblique_) * runLength) / height);
  if (!(std::fabs(oblique) <= kMaxOblique)) return Vexa::eNotApplicable;
  // Reading direction and upward direction in the new plane: a frame of the other hand means
  // the text now reads backwards (mirrored in x), keeping its upside-down state.
  const bool rightHanded = e.crossProduct(v).dotProduct(normal) > 0.0;
  const bool mirroredInX = rightHanded ? mirroredInY_ : !mirroredInY_;
  position_.transformBy(xform);
  alignmentPoint_.transformBy(xform);
  normal_ = normal;
  mirroredInX_ = mirroredInX;
  rotation_ = qvdb_detail::angleInFrame(mirroredInX ? -e : e, normal);
  height_ = height;
  widthFactor_ = widthFactor;
  oblique_ = oblique;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbText::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray points;
  getBoundingPoints(points);
  for (int i = 0; i < points.length(); ++i) extents.addPoint(points[i]);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbText::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                             QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(position_, QvDb::kOsModeIns);
  if (!(horzMode_ == kTextLeft && vertMode_ == kTextBase))
    grips.add(alignmentPoint_, QvDb::kOsModeIns);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbText::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  plane.set(position_, normal_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbText::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  QvGePoint3dArray p;
  getBoundingPoints(p);
  if (p[0].isEqualTo(p[1])) return Vexa::eOk;  // no characters, no box
  const int order[5] = {0, 1, 3, 2, 0};
  for (int i = 0; i < 4; ++i) curves.append(new QvGeLineSeg3d(p[order[i]], p[order[i + 1]]));
  return Vexa::eOk;
}

void QvDbText::subSetDatabaseDefaults(QvDbDatabase* db) {
  const QvDbObjectId style = db->textstyle();
  if (!style.isNull() && (!isResident() || style.database() == database())) style_ = style;
}

void QvDbText::takeTextData(const QvDbText& other) {
  position_ = other.position_;
  alignmentPoint_ = other.alignmentPoint_;
  normal_ = other.normal_;
  text_ = other.text_;
  style_ = other.style_;
  height_ = other.height_;
  rotation_ = other.rotation_;
  widthFactor_ = other.widthFactor_;
  oblique_ = other.oblique_;
  thickness_ = other.thickness_;
  horzMode_ = other.horzMode_;
  vertMode_ = other.vertMode_;
  mirroredInX_ = other.mirroredInX_;
  mirroredInY_ = other.mirroredInY_;
}

QvString QvDbText::displayString() const {
  return text_;
}

bool QvDbText::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  const ReadingFrame frame(rotation_, normal_, mirroredInX_, mirroredInY_);
  wd->geometry().text(position_, frame.run.crossProduct(frame.up), frame.run, height_, widthFactor_,
                      oblique_, displayString());
  return true;
}

QvDbImpObject* QvDbText::createImpObject() {
  return new QvDbTextImp(this);
}

QvDbTextImp::QvDbTextImp(QvDbText* text) : QvDbImpObject(text), text_(text) {}

Vexa::ErrorStatus QvDbTextImp::getBoundingPoints(QvGePoint3dArray& points) const {
  return text_->getBoundingPoints(points);
}
