#include "sdk/db/QvDb2dVertex.h"

#include <cmath>

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbVertex)
QVRX_DEFINE_HOST_MEMBERS(QvDb2dVertex)

QvDb2dVertex::QvDb2dVertex(const QvGePoint3d& position, double bulge, double startWidth,
                           double endWidth, double tangent, int vertexIdentifier)
    : position_(position),
      bulge_(bulge),
      startWidth_(startWidth >= 0.0 ? startWidth : 0.0),
      endWidth_(endWidth >= 0.0 ? endWidth : 0.0),
      tangent_(tangent),
      identifier_(vertexIdentifier) {}

QvDb2dVertexType QvDb2dVertex::vertexType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDb2dVertex::setVertexType(QvDb2dVertexType type) {
  if (type < k2dVertex || type > k2dCurveFitVertex) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

QvGePoint3d QvDb2dVertex::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDb2dVertex::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

double QvDb2dVertex::bulge() const {
  assertReadEnabled();
  return bulge_;
}

Vexa::ErrorStatus QvDb2dVertex::setBulge(double bulge) {
  if (!std::isfinite(bulge)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  bulge_ = bulge;
  return Vexa::eOk;
}

double QvDb2dVertex::startWidth() const {
  assertReadEnabled();
  return startWidth_;
}

Vexa::ErrorStatus QvDb2dVertex::setStartWidth(double width) {
  if (!(width >= 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  startWidth_ = width;
  return Vexa::eOk;
}

double QvDb2dVertex::endWidth() const {
  assertReadEnabled();
  return endWidth_;
}

Vexa::ErrorStatus QvDb2dVertex::setEndWidth(double width) {
  if (!(width >= 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  endWidth_ = width;
  return Vexa::eOk;
}

double QvDb2dVertex::tangent() const {
  assertReadEnabled();
  return tangent_;
}

bool QvDb2dVertex::isTangentUsed() const {
  assertReadEnabled();
  return tangentUsed_;
}

Vexa::ErrorStatus QvDb2dVertex::setTangent(double tangent) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  tangent_ = tangent;
  tangentUsed_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dVertex::useTangent() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  tangentUsed_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dVertex::ignoreTangent() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  tangentUsed_ = false;
  return Vexa::eOk;
}

int QvDb2dVertex::vertexIdentifier() const {
  assertReadEnabled();
  return identifier_;
}

Vexa::ErrorStatus QvDb2dVertex::setVertexIdentifier(int identifier) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  identifier_ = identifier;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dVertex::subTransformBy(const QvGeMatrix3d&) {
  return Vexa::eNotApplicable;
}
