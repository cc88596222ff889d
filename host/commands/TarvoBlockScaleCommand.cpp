#include "host/commands/TarvoBlockScaleCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/PrepareCmdEcho.h"
#include "xqcmdutil/XqBlockInserts.h"

namespace {

// A factor; Enter gives `byDefault` when there is one.
int askFactor(const wchar_t* prompt, double& value, const double* byDefault) {
  qvedInitGet(byDefault ? 0 : kQvInitNoNull, nullptr);
  const int code = qvedGetReal(prompt, &value);
  if (code == kQvNone && byDefault) {
    value = *byDefault;
    return kQvNormal;
  }
  return code;
}

}  // namespace

int TarvoBlockScaleCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (selection.ask() != kQvNormal) return kQvCancel;
  qvedInitGet(0, L"Multiply Set");
  QvString keyword;
  const int kind = qvedGetKword(L"\nScale factors [Multiply/Set] <Multiply>: ", keyword);
  if (kind != kQvNormal && kind != kQvNone) return kQvCancel;
  const int mode = keyword == L"Set" ? 2 : 0;
  double x = 1.0, y = 1.0, z = 1.0;
  if (askFactor(L"\nX scale factor: ", x, nullptr) != kQvNormal ||
      askFactor(L"\nY scale factor <X>: ", y, &x) != kQvNormal ||
      askFactor(L"\nZ scale factor <X>: ", z, &x) != kQvNormal)
    return kQvCancel;
  int rc = kQvNormal;
  {
    const PrepareCmdEcho quiet;  // the host commands of the rebuild are not echoed
    rc = ScaleBlkInserts(selection.name(), x, y, z, mode);
  }
  if (rc != kQvNormal) {
    TarvoCommandInput::say(L"\nSome of the selected objects could not be rescaled.");
    return kQvError;
  }
  return kQvNormal;
}
