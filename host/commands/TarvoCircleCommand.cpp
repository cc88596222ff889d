#include "host/commands/TarvoCircleCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbCircle.h"

int TarvoCircleCommand::run(IVexaBuildInCommandContext& /*context*/) {
  const TarvoAnswer center =
      TarvoCommandInput::point(L"\nSpecify center point for circle: ", nullptr, nullptr, true);
  if (center.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  double size = 0.0;
  TarvoAnswer answer = TarvoCommandInput::distance(L"\nSpecify radius of circle or [Diameter]: ",
                                                   center.point, size, L"Diameter");
  bool diameter = false;
  if (answer.is(L"Diameter")) {
    diameter = true;
    answer = TarvoCommandInput::distance(L"\nSpecify diameter of circle: ", center.point, size);
  }
  if (answer.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const double radius = diameter ? size / 2.0 : size;
  const QvDbObjectId id = TarvoDrawing::addToCurrentSpace(
      new QvDbCircle(center.point, TarvoCommandInput::ucsNormal(), radius));
  if (id.isNull()) {
    TarvoCommandInput::say(L"\nThe circle could not be added to the drawing.");
    return kQvError;
  }
  return kQvNormal;
}
