#include "sdk/ed/VexaAcquireInput.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaClassicQuestion.h"

namespace {

VexaAnswerKind answerKind(VexaAcquireInput::InputKind kind) {
  switch (kind) {
    case VexaAcquireInput::InputKind::kAngle:
      return VexaAnswerKind::kAngle;
    case VexaAcquireInput::InputKind::kString:
      return VexaAnswerKind::kString;
    case VexaAcquireInput::InputKind::kPoint:
      break;
  }
  return VexaAnswerKind::kPoint;
}

}  // namespace

int VexaAcquireInput::prompt() {
  return ask(SIZE_MAX);
}

int VexaAcquireInput::ask(size_t maxLength) {
  VexaQuestionSetup setup;
  setup.kind = answerKind(kind_);
  setup.prompt = prompt_;
  setup.keywords = VexaKeywordList(keywords_);
  setup.rejectZero = (controls_ & kNoZeroResponse) != 0;
  setup.rejectNegative = (controls_ & kNoNegativeResponse) != 0;
  setup.acceptOther = (controls_ & kAcceptOtherInput) != 0;
  setup.spacesAllowed = (controls_ & kSpaceEndsString) == 0;
  setup.maxLength = maxLength >= static_cast<size_t>(INT_MAX) ? -1 : static_cast<int>(maxLength);
  VexaClassicQuestion question(std::move(setup));
  if (basePoint_) {
    const double base[3] = {basePoint_->x, basePoint_->y, basePoint_->z};
    question.setBasePoint(base);
  }
  question.setKeepLastPoint((controls_ & kKeepLastPoint) != 0);

  const int rc = question.ask();
  keyword_.empty();
  if (rc == kQvKeyword) {
    const VexaAnswer& answer = question.answer();
    keyword_ = answer.outcome == VexaAnswer::Outcome::kKeyword ? answer.keyword : answer.text;
  }
  if (rc != kQvNormal) return rc;
  switch (kind_) {
    case InputKind::kPoint: {
      const auto p = question.ucsPoint();
      point_.set(p[0], p[1], p[2]);
      break;
    }
    case InputKind::kAngle:
      angle_ = question.answer().number;
      break;
    case InputKind::kString:
      text_ = question.answer().text;
      if (controls_ & kTrimString) text_.trim();
      break;
  }
  return rc;
}

int VexaAcquireInput::getPoint(QvGePoint3d& point) {
  kind_ = InputKind::kPoint;
  const int rc = prompt();
  if (rc == kQvNormal) point = point_;
  return rc;
}

int VexaAcquireInput::getAngle(double& angle) {
  kind_ = InputKind::kAngle;
  const int rc = prompt();
  if (rc == kQvNormal) angle = angle_;
  return rc;
}

int VexaAcquireInput::getString(wchar_t* buffer, size_t size) {
  if (!buffer || size < 2) return kQvError;
  kind_ = InputKind::kString;
  const int rc = ask(size - 1);
  if (rc == kQvNormal) std::wmemcpy(buffer, text_.c_str(), static_cast<size_t>(text_.length()) + 1);
  return rc;
}
