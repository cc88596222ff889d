#include "sdk/ed/QvEdDrag.h"

#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/gi/IVexaDragPreview.h"

#include "sdk/ed/VexaAnswerText.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

// "LASTPOINT" in world coordinates.
QvGePoint3d lastPoint() {
  VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return QvGePoint3d::kOrigin;
  const auto ucsPoint = vars->get(L"LASTPOINT")->pointValue();
  return vars->currentUcs().toWorld(toGePoint(ucsPoint));
}

// Clears the dragging mark however drag() ends.
class DraggingScope {
 public:
  explicit DraggingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~DraggingScope() { flag_ = false; }
  DraggingScope(const DraggingScope&) = delete;
  DraggingScope& operator=(const DraggingScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void QvEdDrag::drawPreview() {
  VexaHost* host = VexaHost::current();
  if (!host) return;
  IVexaDragPreview& preview = host->service<IVexaDragPreview>();
  if (!preview.isWatched()) {
    preview.skipFrame();
    return;
  }
  std::vector<QvGiDrawable*> drawables;
  if (QvDbEntity* shown = entity()) drawables.push_back(shown);
  for (QvDbEntity* extra : drawnEntities())
    if (extra) drawables.push_back(extra);
  preview.drawFrame(drawables);
}

QvArray<QvDbEntity*> QvEdDrag::drawnEntities() {
  return QvArray<QvDbEntity*>();
}

bool QvEdDrag::update() {
  return false;
}

QvDbEntity* QvEdDrag::entity() const {
  return nullptr;
}

QvDbDimDataPtrArray* QvEdDrag::dimData(double) {
  return nullptr;
}

Vexa::ErrorStatus QvEdDrag::setDimValue(const QvDbDimData*, double) {
  return Vexa::eNotImplemented;
}

QvEdDrag::DragStatus QvEdDrag::drag() {
  if (dragging_) return kCancel;  // a drag does not run inside its own sampler
  DraggingScope scope(dragging_);
  VexaTranscript* transcript = VexaTranscript::current();
  if (transcript && !prompt_.isEmpty()) transcript->addPrompt(prompt_);
  for (;;) {
    reading_ = Reading::kNone;
    const DragStatus status = sampler();
    if (status == kNormal && update()) drawPreview();
    switch (reading_) {
      case Reading::kSample:
        if (status == kNormal || status == kNoChange) continue;
        return status;
      case Reading::kNone:
        return status;
      case Reading::kFinal:
        break;
    }
    // The accepted value may be the one already sampled.
    if (status == kNoChange) return lastAcquired_ == kTypedValue ? kNormal : lastAcquired_;
    return status;
  }
}

QvEdDrag::DragStatus QvEdDrag::acquire(VexaAnswerKind kind, const QvGePoint3d* basePoint,
                                       VexaAnswer& answer) {
  VexaQuestionSetup setup;
  setup.kind = kind;
  setup.prompt = prompt_;
  setup.keywords = VexaKeywordList(keywords_);
  setup.rejectZero = (controls_ & kNoZeroResponse) != 0;
  setup.rejectNegative = (controls_ & kNoNegativeResponse) != 0;
  setup.acceptOther = (controls_ & kAcceptOtherInput) != 0;
  if (basePoint) {
    setup.basePoint = toVexaPoint(*basePoint);
  } else if (kind == VexaAnswerKind::kDistance || kind == VexaAnswerKind::kAngle) {
    setup.basePoint = toVexaPoint(lastPoint());
  }
  VexaQuestion question(std::move(setup));
  answer = dragging_ ? question.read(true) : question.ask();
  reading_ = answer.outcome == VexaAnswer::Outcome::kSample ? Reading::kSample : Reading::kFinal;
  DragStatus status = kCancel;
  switch (answer.outcome) {
    case VexaAnswer::Outcome::kValue:
      status = kind == VexaAnswerKind::kScaleFactor && !answer.fromPoint ? kTypedValue : kNormal;
      break;
    case VexaAnswer::Outcome::kSample:
      status = kNormal;
      break;
    case VexaAnswer::Outcome::kKeyword:
      inputText_ = answer.text;
      status = keywordStatus(answer.keywordIndex);
      break;
    case VexaAnswer::Outcome::kOther:
      inputText_ = answer.text;
      status = kOtherInput;
      break;
    case VexaAnswer::Outcome::kEmpty:
      status = kNull;
      break;
    case VexaAnswer::Outcome::kCancel:
    case VexaAnswer::Outcome::kObjects:  // not accepted by drags
      status = kCancel;
      break;
  }
  lastAcquired_ = status;
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquirePoint(QvGePoint3d& point) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kPoint, nullptr, answer);
  if (status != kNormal) return status;
  point = toGePoint(answer.point);
  VexaSysVarService* vars = VexaSysVarService::current();
  if (answer.outcome == VexaAnswer::Outcome::kValue && !(controls_ & kKeepLastPoint) && vars)
    vars->setByHost(
        L"LASTPOINT",
        VexaSysVarValue::ofPoint(toVexaPoint(vars->currentUcs().toUcs(toGePoint(answer.point)))));
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquirePoint(QvGePoint3d& point, const QvGePoint3d& basePoint) {
  // The base point only anchors the rubber band.
  static_cast<void>(basePoint);
  return acquirePoint(point);
}

QvEdDrag::DragStatus QvEdDrag::acquireDist(double& distance) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kDistance, nullptr, answer);
  if (status == kNormal) distance = answer.number;
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquireDist(double& distance, const QvGePoint3d& basePoint) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kDistance, &basePoint, answer);
  if (status == kNormal) distance = answer.number;
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquireAngle(double& angle) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kAngle, nullptr, answer);
  if (status == kNormal) angle = answer.number;
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquireAngle(double& angle, const QvGePoint3d& basePoint) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kAngle, &basePoint, answer);
  if (status == kNormal) angle = answer.number;
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquireScaleFactor(const QvGePoint3d& basePoint, QvGePoint3d& corner,
                                                  double& xFactor, double& yFactor) {
  VexaAnswer answer;
  const DragStatus status = acquire(VexaAnswerKind::kScaleFactor, &basePoint, answer);
  if (status == kTypedValue) {
    xFactor = yFactor = answer.number;
  } else if (status == kNormal) {
    corner = toGePoint(answer.point);
    VexaSysVarService* vars = VexaSysVarService::current();
    const VexaUcs ucs = vars ? vars->currentUcs() : VexaUcs();
    const QvGeVector3d v = corner - basePoint;
    const QvGePoint3d d = ucs.toUcs(QvGePoint3d(v.x, v.y, v.z), true);
    xFactor = d.x;
    yFactor = d.y;
  }
  return status;
}

QvEdDrag::DragStatus QvEdDrag::acquireDistFromInput(double& distance) {
  double value = 0.0;
  if (lastAcquired_ != kOtherInput || !VexaAnswerText::toNumber(inputText_, value))
    return kOtherInput;
  distance = value;
  return kNormal;
}
