// The drags of the scale factors: X (with Y from a corner), Y and Z.
#include <cmath>

#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/base/QvClassicCodes.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace {

constexpr double kValueTol = 1e-10;
constexpr int kScaleControls = 131;

double orOne(double v) {
  return v == 0.0 ? 1.0 : v;
}

// The scale goes to the request, which shows it in the next drags.
void writeScale(InsertData* data, const QvGeScale3d& scale) {
  data->scale = scale;
  data->presetScale = scale;
}

}  // namespace

int InsertDragScale::prepare() {
  const int result = InsertDragBase::prepare();
  lastCorner_.reset();
  singleFactor_ = false;
  uniformRequest_ = data_ && data_->uniformScale;
  if (!ortho_) ortho_ = std::make_unique<XqOrthoModeOff>();
  return result;
}

QvEdDrag::DragStatus InsertDragScale::sampler() {
  setUserInputControls(kScaleControls);
  QvGePoint3d corner;
  double x = 0.0, y = 0.0;
  const DragStatus status = acquireScaleFactor(insertionPoint_, corner, x, y);
  if (status == kNormal && !uniformRequest_) {
    if (lastCorner_ && corner.isEqualTo(*lastCorner_)) return kNoChange;
    lastCorner_ = corner;
    scale_.sx = orOne(x);
    scale_.sy = orOne(y);
    scale_.sz = x == 0.0 ? 1.0 : scale_.sx;
    singleFactor_ = false;
    return kNormal;
  }
  if (status == kTypedValue || status == kNormal) {
    if (std::abs(x) <= kValueTol) {
      scale_.sx = 0.0;
      return kZeroValue;
    }
    scale_ = QvGeScale3d(x, x, std::abs(x));
    singleFactor_ = true;
    return kNormal;
  }
  return status;
}

bool InsertDragScale::update() {
  return placeScaled(rotation_);
}

void InsertDragScale::finish(int result) {
  if (result == kQvNone || result == kQvRejected) scale_.sx = scale_.sy = 1.0;
  if (result == kQvNormal) {
    scale_.sx = orOne(scale_.sx);
    scale_.sy = orOne(scale_.sy);
  }
  if (result == kQvNone || result == kQvNormal) writeScale(data_, scale_);
  if (ortho_) ortho_->restore();
  XqBlockVars::setShort(L"LASTPOINTINIT", 1);
}

QvEdDrag::DragStatus InsertDragBase::sampleFactor(double QvGeScale3d::*axis, bool absolute,
                                                  bool uniformDefinition, FactorSamples& last) {
  const auto value = [absolute](double v) { return absolute ? std::abs(v) : v; };
  QvGePoint3d corner;
  double x = 0.0, y = 0.0;
  const DragStatus status = acquireScaleFactor(insertionPoint_, corner, x, y);
  if (status == kOtherInput) {
    double typed = 0.0;
    if (acquireDistFromInput(typed) != kNormal) return kOtherInput;
    if (std::abs(typed) <= kValueTol) {
      scale_.*axis = 1.0;
      return kZeroValue;
    }
    if (last.factor && std::abs(*last.factor - typed) <= kValueTol) return kNoChange;
    last.factor = typed;
    scale_.*axis = value(typed);
    return kNormal;
  }
  if (status != kNormal && status != kTypedValue) return status;
  if (status == kNormal) {
    if (last.point && corner.isEqualTo(*last.point)) return kNoChange;
    last.point = corner;
  } else if (std::abs(y) <= kValueTol) {
    scale_.*axis = 0.0;
    return kZeroValue;
  }
  if (uniformDefinition && definitionScalesUniformly()) {
    const double d = status == kNormal ? corner.distanceTo(insertionPoint_) : std::abs(y);
    scale_ = QvGeScale3d(orOne(d));
  } else {
    scale_.*axis = value(y);
  }
  return kNormal;
}

int InsertDragScaleY::prepare() {
  last_ = {};
  return InsertDragBase::prepare();
}

QvEdDrag::DragStatus InsertDragScaleY::sampler() {
  return sampleFactor(&QvGeScale3d::sy, false, true, last_);
}

bool InsertDragScaleY::update() {
  return placeScaled(rotation_);
}

void InsertDragScaleY::finish(int result) {
  if (result == kQvNone) scale_.sy = scale_.sz = scale_.sx;
  if (result == kQvRejected) scale_.sy = 1.0;
  if (result == kQvNone || result == kQvNormal) writeScale(data_, scale_);
}

int InsertDragScaleZ::prepare() {
  last_ = {};
  return InsertDragBase::prepare();
}

QvEdDrag::DragStatus InsertDragScaleZ::sampler() {
  return sampleFactor(&QvGeScale3d::sz, true, false, last_);
}

bool InsertDragScaleZ::update() {
  return placeScaled(rotation_);
}

void InsertDragScaleZ::finish(int result) {
  if (result == kQvNone) scale_.sz = std::abs(scale_.sx);
  if (result == kQvRejected) scale_.sz = 1.0;
  if (result == kQvNone || result == kQvNormal) writeScale(data_, scale_);
}
