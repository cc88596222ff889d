#include "host/commands/TarvoLengthenCommand.h"

#include <numbers>
#include <optional>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoEntityLabel.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

struct Request {
  bool angle = false;
  double value = 0.0;  // a length, or an angle in radians
};

// The total length or angle; nothing when cancelled.
std::optional<Request> askRequest() {
  Request request;
  qvedInitGet(kQvInitNoNull, L"Angle");
  int code = qvedGetDist(nullptr, L"\nTotal length or [Angle]: ", &request.value);
  if (code == kQvKeyword) {
    request.angle = true;
    qvedInitGet(kQvInitNoNull, nullptr);
    code = qvedGetAngle(nullptr, L"\nTotal angle: ", &request.value);
  }
  if (code != kQvNormal) return std::nullopt;
  return request;
}

const wchar_t* refusal(Vexa::ErrorStatus status, bool angle) {
  switch (status) {
    case Vexa::eNotImplemented:
      return angle ? L"it has no angle to set" : L"it has no length to set";
    case Vexa::eNotApplicable:
      return L"it cannot be changed that way";
    case Vexa::eInvalidInput:
      return angle ? L"the angle does not suit it" : L"the length does not suit it";
    default:
      return L"it could not be changed";
  }
}

enum class Outcome { kChanged, kRefused, kCancelled };

// Asks for the end of one entity and changes it.
Outcome change(const QvDbObjectId& id, const Request& request) {
  QvDbObjectPointer<QvDbEntity> reader(id, QvDb::kForRead);
  if (reader.openStatus() != Vexa::eOk) return Outcome::kRefused;
  const QvString label = TarvoEntityLabel::of(*reader.object());
  reader.close();
  const TarvoAnswer pick = TarvoCommandInput::point(
      QvString::format(L"\nPoint near the end of %s to change: ", label.c_str()).c_str(), nullptr,
      nullptr, true);
  if (pick.kind != TarvoAnswer::Kind::kValue) return Outcome::kCancelled;

  QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
  Vexa::ErrorStatus status = entity.openStatus();
  QvDbEntityInternalBasePE* ext =
      status == Vexa::eOk ? TarvoEntityLabel::internalExtension(*entity.object()) : nullptr;
  if (ext) {
    status = request.angle ? ext->setEntityAngle(entity.object(), request.value, pick.point)
                           : ext->setEntityLength(entity.object(), request.value, pick.point);
  } else if (status == Vexa::eOk) {
    status = Vexa::eNotImplemented;
  }
  if (status != Vexa::eOk) {
    TarvoCommandInput::say(
        QvString::format(L"\n%s: not changed, %s.", label.c_str(), refusal(status, request.angle)));
    return Outcome::kRefused;
  }
  double now = 0.0;
  if (request.angle) {
    ext->entityAngle(entity.object(), now);
    TarvoCommandInput::say(
        QvString::format(L"\n%s: angle %.4f deg", label.c_str(), now * kDegrees));
  } else {
    ext->entityLength(entity.object(), now);
    TarvoCommandInput::say(QvString::format(L"\n%s: length %.4f", label.c_str(), now));
  }
  return Outcome::kChanged;
}

}  // namespace

int TarvoLengthenCommand::run(IVexaBuildInCommandContext& /*context*/) {
  const std::optional<Request> request = askRequest();
  if (!request) return kQvCancel;
  TarvoSelectionSet selection;
  if (const int code = selection.askForCommand(); code != kQvNormal) return code;
  bool allChanged = true;
  for (const QvDbObjectId& id : selection.ids()) {
    const Outcome outcome = change(id, *request);
    if (outcome == Outcome::kCancelled) return kQvCancel;
    allChanged = allChanged && outcome == Outcome::kChanged;
  }
  return allChanged ? kQvNormal : kQvError;
}
