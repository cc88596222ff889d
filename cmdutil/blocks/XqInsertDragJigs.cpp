// The drags of the insertion point, the uniform scale and the rotation.
#include <cmath>

#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedUcs.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace {

constexpr double kValueTol = 1e-10;

bool sameValue(const std::optional<double>& last, double value) {
  return last && std::abs(*last - value) <= kValueTol;
}

}  // namespace

int InsertDragInsertionPoint::prepare() {
  sampled_ = QvGePoint3d::kOrigin;
  lastCursor_.reset();
  return InsertDragBase::prepare();
}

QvEdDrag::DragStatus InsertDragInsertionPoint::sampler() {
  QvGePoint3d cursor;
  const DragStatus status = acquirePoint(cursor);
  if (status != kNormal) return status;
  // Cursor samples are compared as they come, before the base-point offset.
  if (lastCursor_ && cursor.isEqualTo(*lastCursor_)) return kNoChange;
  lastCursor_ = cursor;
  sampled_ = cursor;
  return kNormal;
}

bool InsertDragInsertionPoint::update() {
  if (!canShow()) return false;
  if (!positioned_) {
    position_ = sampled_;
    positioned_ = true;
  }
  const QvGeVector3d offset = data_->basePointOffset;
  sampled_ = *lastCursor_ + offset;
  data_->dragPosition = sampled_;
  const QvGeVector3d viewNormal = context_ ? context_->viewNormal() : QvGeVector3d::kZAxis;
  placeWhenShown([this, viewNormal, at = sampled_, first = position_](QvDbBlockReference& reference,
                                                                      QvDbBlockReference* copy) {
    // The copy stays where the first sample put it.
    if (copy) {
      copy->setNormal(viewNormal);
      copy->setPosition(first);
    }
    reference.setNormal(viewNormal);
    reference.setPosition(at);
    refreshAttributes();
  });
  return true;
}

void InsertDragInsertionPoint::finish(int result) {
  if (result != kQvNormal) return;
  insertionPoint_ = sampled_;
  data_->insertionPoint = sampled_;
  QvGePoint3d shown = sampled_;
  if (context_) shown.transformBy(context_->viewportTransform());
  QvGePoint3d ucs = shown;
  qvedTrans(shown, kQvTransWorld, kQvTransUcs, false, ucs);
  XqBlockVars::setPoint(L"LASTPOINT", ucs);
}

QvEdDrag::DragStatus InsertDragUniformScale::sampler() {
  double distance = 0.0;
  const DragStatus status = acquireDist(distance, insertionPoint_);
  if (status != kNormal) return status;
  if (sameValue(last_, distance)) return kNoChange;
  last_ = distance;
  scale_ = std::abs(distance) > kValueTol ? QvGeScale3d(distance, distance, std::abs(distance))
                                          : QvGeScale3d(1.0, 1.0, 1.0);
  return kNormal;
}

bool InsertDragUniformScale::update() {
  if (!canShow()) return false;
  placeWhenShown([this, scale = scale_, rotation = rotation_, at = insertionPoint_](
                     QvDbBlockReference& reference, QvDbBlockReference*) {
    reference.setScaleFactors(scale);
    rotateWithUcs(reference, rotation);
    reference.setPosition(at);
    refreshAttributes();
  });
  return true;
}

void InsertDragUniformScale::finish(int result) {
  auto orOne = [](double v) { return v == 0.0 ? 1.0 : v; };
  if (result == kQvNone) data_->scale = QvGeScale3d(1.0, 1.0, 1.0);
  if (result == kQvNormal)
    data_->scale = QvGeScale3d(orOne(scale_.sx), orOne(scale_.sy), orOne(scale_.sz));
  if (result == kQvRejected) scale_ = QvGeScale3d(1.0, 1.0, 1.0);
  data_->presetScale = data_->scale;
}

int InsertDragRotateAroundInsertPoint::prepare() {
  const int result = InsertDragBase::prepare();
  angleBase_ = insertionPoint_;
  if (context_) angleBase_.transformBy(context_->viewTransform());
  last_.reset();
  return result;
}

QvEdDrag::DragStatus InsertDragRotateAroundInsertPoint::sampler() {
  double angle = 0.0;
  const DragStatus status = acquireAngle(angle, angleBase_);
  if (status != kNormal) return status;
  if (sameValue(last_, angle)) return kNoChange;
  last_ = angle;
  return kNormal;
}

bool InsertDragRotateAroundInsertPoint::update() {
  return placeScaled(last_.value_or(rotation_));
}

void InsertDragRotateAroundInsertPoint::finish(int result) {
  if (result == kQvNormal) rotation_ = last_.value_or(rotation_);
  if (result == kQvNone) rotation_ = 0.0;
  if (result == kQvNormal || result == kQvNone) data_->rotation = rotation_;
  data_->presetRotation = data_->rotation;
}
