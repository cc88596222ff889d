#include "sdk/db/QvDbScale.h"

#include <cmath>

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbScale)

QvString QvDbScale::scaleName() const {
  assertReadEnabled();
  return name_;
}

Vexa::ErrorStatus QvDbScale::setScaleName(const wchar_t* name) {
  if (!name || !*name) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  name_ = QvString(name);
  return Vexa::eOk;
}

double QvDbScale::paperUnits() const {
  assertReadEnabled();
  return paperUnits_;
}

double QvDbScale::drawingUnits() const {
  assertReadEnabled();
  return drawingUnits_;
}

Vexa::ErrorStatus QvDbScale::setUnits(double paperUnits, double drawingUnits) {
  if (!std::isfinite(paperUnits) || !std::isfinite(drawingUnits) || paperUnits <= 0.0 ||
      drawingUnits <= 0.0)
    return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  paperUnits_ = paperUnits;
  drawingUnits_ = drawingUnits;
  return Vexa::eOk;
}

double QvDbScale::scale() const {
  assertReadEnabled();
  return paperUnits_ / drawingUnits_;
}

bool QvDbScale::isUnitScale() const {
  assertReadEnabled();
  return paperUnits_ == drawingUnits_;
}
