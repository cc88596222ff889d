#include "host/commands/TarvoDistanceCommand.h"

#include <charconv>
#include <string>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/XqDistance.h"

int TarvoDistanceCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString text;
  if (qvedGetString(1, L"\nDistance text: ", text) != kQvNormal) return kQvCancel;
  double value = 0.0;
  const int status = vexaConvertStringToDistance(text.c_str(), &value, 0, true);
  if (status == kQvError) {
    TarvoCommandInput::say(L"\nNot a distance.");
    return kQvError;
  }
  if (status != kQvNormal) {
    TarvoCommandInput::say(L"\nThe distance is out of range or has characters after its exponent.");
    return kQvError;
  }
  char digits[64];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  TarvoCommandInput::say(QvString::format(L"\nDistance: %hs", std::string(digits, end).c_str()));
  return kQvNormal;
}
