#include "sdk/db/QvDbTextStyleTableRecord.h"

#include <cmath>

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbTextStyleTableRecord)

namespace {
constexpr double kMaxObliquing = 85.0 * 3.14159265358979323846 / 180.0;
}

double QvDbTextStyleTableRecord::textSize() const {
  assertReadEnabled();
  return textSize_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setTextSize(double size) {
  if (!std::isfinite(size) || size < 0.0) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  textSize_ = size;
  return Vexa::eOk;
}

double QvDbTextStyleTableRecord::xScale() const {
  assertReadEnabled();
  return xScale_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setXScale(double factor) {
  if (!std::isfinite(factor) || factor <= 0.0) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  xScale_ = factor;
  return Vexa::eOk;
}

double QvDbTextStyleTableRecord::obliquingAngle() const {
  assertReadEnabled();
  return obliquingAngle_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setObliquingAngle(double radians) {
  if (!std::isfinite(radians) || std::fabs(radians) >= kMaxObliquing) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  obliquingAngle_ = radians;
  return Vexa::eOk;
}

QvString QvDbTextStyleTableRecord::fileName() const {
  assertReadEnabled();
  return fileName_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setFileName(const wchar_t* file) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  fileName_ = QvString(file);
  return Vexa::eOk;
}

QvString QvDbTextStyleTableRecord::bigFontFileName() const {
  assertReadEnabled();
  return bigFontFileName_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setBigFontFileName(const wchar_t* file) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  bigFontFileName_ = QvString(file);
  return Vexa::eOk;
}

bool QvDbTextStyleTableRecord::isShapeFile() const {
  assertReadEnabled();
  return isShapeFile_;
}

Vexa::ErrorStatus QvDbTextStyleTableRecord::setIsShapeFile(bool shapes) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!shapes && storedName().isEmpty() && isResident()) return Vexa::eInvalidInput;
  isShapeFile_ = shapes;
  return Vexa::eOk;
}

bool QvDbTextStyleTableRecord::acceptsSpecialName(const QvString& name) const {
  return name.isEmpty() && isShapeFile_;
}
