#include "host/commands/TarvoArcCommand.h"

#include <functional>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbArc.h"

namespace {

// Asks for the end point until `make` gives an arc from it, then adds the arc.
int finishArc(const QvGePoint3d& from, const std::function<QvDbArc*(const QvGePoint3d&)>& make) {
  for (;;) {
    const TarvoAnswer end =
        TarvoCommandInput::point(L"\nSpecify end point of arc: ", &from, nullptr, true);
    if (end.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
    QvDbArc* arc = make(end.point);
    if (!arc) {
      TarvoCommandInput::say(L"\nThe points make no arc.");
      continue;
    }
    if (TarvoDrawing::addToCurrentSpace(arc).isNull()) {
      TarvoCommandInput::say(L"\nThe arc could not be added to the drawing.");
      return kQvError;
    }
    return kQvNormal;
  }
}

}  // namespace

int TarvoArcCommand::run(IVexaBuildInCommandContext& /*context*/) {
  const QvGeVector3d normal = TarvoCommandInput::ucsNormal();
  const TarvoAnswer first = TarvoCommandInput::point(L"\nSpecify start point of arc or [Center]: ",
                                                     nullptr, L"Center", true);
  if (first.is(L"Center")) {
    const TarvoAnswer center =
        TarvoCommandInput::point(L"\nSpecify center point of arc: ", nullptr, nullptr, true);
    if (center.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
    const TarvoAnswer start =
        TarvoCommandInput::point(L"\nSpecify start point of arc: ", &center.point, nullptr, true);
    if (start.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
    return finishArc(center.point, [&](const QvGePoint3d& end) {
      return TarvoDrawing::arcAround(center.point, normal, start.point, end);
    });
  }
  if (first.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const TarvoAnswer second =
      TarvoCommandInput::point(L"\nSpecify second point of arc: ", &first.point, nullptr, true);
  if (second.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  return finishArc(second.point, [&](const QvGePoint3d& end) {
    return TarvoDrawing::arcThrough(first.point, second.point, end, normal);
  });
}
