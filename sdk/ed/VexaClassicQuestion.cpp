#include "sdk/ed/VexaClassicQuestion.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaInputState.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSysVarService.h"

namespace {

VexaUcs currentUcs() {
  VexaSysVarService* vars = VexaSysVarService::current();
  return vars ? vars->currentUcs() : VexaUcs();
}

}  // namespace

void VexaClassicQuestion::setBasePoint(const double* ucsPoint) {
  if (ucsPoint)
    setup_.basePoint =
        toVexaPoint(currentUcs().toWorld(QvGePoint3d(ucsPoint[0], ucsPoint[1], ucsPoint[2])));
  else
    setup_.basePoint.reset();
}

int VexaClassicQuestion::ask() {
  VexaHost* host = VexaHost::current();
  if (!host) return kQvError;
  VexaInputState& state = host->service<VexaInputState>();
  answer_ = VexaQuestion(setup_).ask();
  state.setLastInput(QvString());
  switch (answer_.outcome) {
    case VexaAnswer::Outcome::kValue:
    case VexaAnswer::Outcome::kSample:
      if (setup_.kind == VexaAnswerKind::kPoint && !keepLastPoint_) {
        VexaSysVarService* vars = VexaSysVarService::current();
        if (vars) vars->setByHost(L"LASTPOINT", VexaSysVarValue::ofPoint(ucsPoint()));
      }
      return kQvNormal;
    case VexaAnswer::Outcome::kKeyword:
      state.setLastInput(answer_.keyword);
      return kQvKeyword;
    case VexaAnswer::Outcome::kOther:
      state.setLastInput(answer_.text);
      return kQvKeyword;
    case VexaAnswer::Outcome::kEmpty:
      return kQvNone;
    case VexaAnswer::Outcome::kCancel:
    case VexaAnswer::Outcome::kObjects:  // not accepted by these questions
      break;
  }
  return kQvCancel;
}

std::array<double, 3> VexaClassicQuestion::ucsPoint() const {
  return toVexaPoint(currentUcs().toUcs(toGePoint(answer_.point)));
}
