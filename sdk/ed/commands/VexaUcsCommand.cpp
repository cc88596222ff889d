#include "sdk/ed/commands/VexaUcsCommand.h"

#include <numbers>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/IVexaEditorDocuments.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysVarValue.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/commands/VexaObjectUcs.h"
#include "sdk/ge/QvGeVector3d.h"

namespace {

enum Option { kWorld, kOrigin, kAboutX, kAboutY, kAboutZ, kZAxis, kObject, kPrevious };
constexpr const wchar_t* kKeywords = L"World Origin X Y Z ZAxis OBject Previous";
constexpr const wchar_t* kDegenerate = L"\nThe points do not define a coordinate system.";

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

QvString pointText(const QvGePoint3d& p) {
  return VexaSysVarValue::ofPoint(toVexaPoint(p)).toText();
}

VexaAnswer ask(VexaAnswerKind kind, const QvString& prompt, const wchar_t* keywords = nullptr) {
  VexaQuestionSetup setup;
  setup.kind = kind;
  setup.prompt = prompt;
  if (keywords) setup.keywords = VexaKeywordList(keywords);
  return VexaQuestion(std::move(setup)).ask();
}

bool isValue(const VexaAnswer& answer) {
  return answer.outcome == VexaAnswer::Outcome::kValue;
}
bool isEmpty(const VexaAnswer& answer) {
  return answer.outcome == VexaAnswer::Outcome::kEmpty;
}

// The outcome of an option: a new UCS, or the code the command ends with.
struct Change {
  std::optional<VexaUcs> ucs;
  int rc = kQvNormal;
};

Change failed(int rc) {
  return Change{std::nullopt, rc};
}
Change degenerate() {
  say(kDegenerate);
  return failed(kQvError);
}
Change made(std::optional<VexaUcs> ucs) {
  return ucs ? Change{ucs, kQvNormal} : degenerate();
}

// A turn of the current UCS about one of its axes.
Change turn(const VexaUcs& ucs, Option axis) {
  const wchar_t* name = axis == kAboutX ? L"X" : axis == kAboutY ? L"Y" : L"Z";
  const VexaAnswer angle =
      ask(VexaAnswerKind::kAngle,
          QvString::format(L"\nSpecify rotation angle about %s axis <90>: ", name));
  if (!isValue(angle) && !isEmpty(angle)) return failed(kQvCancel);
  const double radians = isValue(angle) ? angle.number : std::numbers::pi / 2;
  const QvGeVector3d about = axis == kAboutX   ? ucs.xAxis()
                             : axis == kAboutY ? ucs.yAxis()
                                               : ucs.zAxis();
  QvGeVector3d x = ucs.xAxis();
  QvGeVector3d y = ucs.yAxis();
  if (axis != kAboutX) x.rotateBy(radians, about);
  if (axis != kAboutY) y.rotateBy(radians, about);
  return made(VexaUcs::fromAxes(ucs.origin(), x, y));
}

// A new origin (Enter keeps the current one).
std::optional<QvGePoint3d> askOrigin(const VexaUcs& ucs, const wchar_t* prompt) {
  const VexaAnswer origin = ask(VexaAnswerKind::kPoint, prompt);
  if (isEmpty(origin)) return ucs.origin();
  if (!isValue(origin)) return std::nullopt;
  return toGePoint(origin.point);
}

Change zAxis(const VexaUcs& ucs) {
  const std::optional<QvGePoint3d> origin = askOrigin(ucs, L"\nSpecify new origin point <0,0,0>: ");
  if (!origin) return failed(kQvCancel);
  const QvGePoint3d onZ = ucs.toUcs(*origin + ucs.zAxis());
  const VexaAnswer point =
      ask(VexaAnswerKind::kPoint, QvString::format(L"\nSpecify point on positive portion of "
                                                   L"Z-axis <%s>: ",
                                                   pointText(onZ).c_str()));
  if (!isValue(point) && !isEmpty(point)) return failed(kQvCancel);
  const QvGeVector3d z = isValue(point) ? toGePoint(point.point) - *origin : ucs.zAxis();
  if (z.isZeroLength()) return degenerate();
  // X: the current X axis laid into the new XY plane, or the arbitrary axis when it stands on it.
  const QvGeVector3d unitZ = z.normal();
  QvGeVector3d x = ucs.xAxis();
  x -= unitZ * x.dotProduct(unitZ);
  if (x.isZeroLength()) x = unitZ.perpVector();
  return made(VexaUcs::fromAxes(*origin, x, unitZ.crossProduct(x)));
}

// The three-point form: an origin typed at the first prompt, then the X axis and the XY plane.
Change threePoints(const VexaUcs& ucs, const QvGePoint3d& origin) {
  const VexaAnswer onX =
      ask(VexaAnswerKind::kPoint, L"\nSpecify point on positive portion of X-axis <Accept>: ");
  if (isEmpty(onX)) return made(VexaUcs::fromAxes(origin, ucs.xAxis(), ucs.yAxis()));
  if (!isValue(onX)) return failed(kQvCancel);
  const QvGeVector3d x = toGePoint(onX.point) - origin;
  if (x.isZeroLength()) return degenerate();
  const VexaAnswer inPlane = ask(VexaAnswerKind::kPoint,
                                 L"\nSpecify point on positive-Y portion of the UCS XY plane "
                                 L"<Accept>: ");
  if (isEmpty(inPlane)) return made(VexaUcs::fromAxes(origin, x, ucs.zAxis().crossProduct(x)));
  if (!isValue(inPlane)) return failed(kQvCancel);
  return made(VexaUcs::fromAxes(origin, x, toGePoint(inPlane.point) - origin));
}

}  // namespace

int VexaUcsCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaSysVarService* vars = VexaSysVarService::current();
  VexaHost* host = VexaHost::current();
  if (!vars || !host) return kQvError;
  VexaUcsHistory& history = host->service<VexaUcsHistory>();
  const VexaUcs ucs = vars->currentUcs();

  const VexaAnswer first =
      ask(VexaAnswerKind::kPoint,
          L"\nSpecify origin of UCS or [World/Origin/X/Y/Z/ZAxis/OBject/Previous] <World>: ",
          kKeywords);
  Change change;
  if (isEmpty(first)) {
    change.ucs = VexaUcs();
  } else if (isValue(first)) {
    change = threePoints(ucs, toGePoint(first.point));
  } else if (first.outcome != VexaAnswer::Outcome::kKeyword) {
    return kQvCancel;
  } else {
    switch (first.keywordIndex) {
      case kWorld:
        change.ucs = VexaUcs();
        break;
      case kOrigin: {
        const std::optional<QvGePoint3d> origin =
            askOrigin(ucs, L"\nSpecify new origin point <0,0,0>: ");
        if (!origin) return kQvCancel;
        change = made(VexaUcs::fromAxes(*origin, ucs.xAxis(), ucs.yAxis()));
        break;
      }
      case kAboutX:
      case kAboutY:
      case kAboutZ:
        change = turn(ucs, static_cast<Option>(first.keywordIndex));
        break;
      case kZAxis:
        change = zAxis(ucs);
        break;
      case kObject: {
        const int rc = VexaObjectUcs::ask(change.ucs);
        if (rc != kQvNormal) return rc;
        break;
      }
      case kPrevious: {
        const std::optional<VexaUcs> previous = history.pop();
        if (!previous) {
          say(L"\nNo previous UCS.");
          return kQvError;
        }
        return vars->setCurrentUcs(*previous) == Vexa::eOk ? kQvNormal : kQvError;
      }
      default:
        return kQvError;
    }
  }
  if (!change.ucs) return change.rc;
  if (vars->setCurrentUcs(*change.ucs) != Vexa::eOk) return kQvError;
  history.push(ucs);
  return kQvNormal;
}

void VexaUcsHistory::push(const VexaUcs& ucs) {
  std::vector<VexaUcs>& kept = history_[vexaEditorCurDocument()];
  kept.push_back(ucs);
  if (static_cast<int>(kept.size()) > kDepth) kept.erase(kept.begin());
}

std::optional<VexaUcs> VexaUcsHistory::pop() {
  std::vector<VexaUcs>& kept = history_[vexaEditorCurDocument()];
  if (kept.empty()) return std::nullopt;
  const VexaUcs last = kept.back();
  kept.pop_back();
  return last;
}
