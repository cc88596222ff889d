#include "host/commands/TarvoUnitsCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedSysVar.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

struct Mode {
  int code;
  const wchar_t* name;
};

constexpr Mode kLengthModes[] = {{1, L"Scientific"},
                                 {2, L"Decimal"},
                                 {3, L"Engineering"},
                                 {4, L"Architectural"},
                                 {5, L"Fractional"}};
constexpr Mode kAngleModes[] = {
    {0, L"Degrees"}, {1, L"Deg/min/sec"}, {2, L"Grads"}, {3, L"Radians"}, {4, L"Surveyor"}};

int currentMode(const wchar_t* variable) {
  resbuf rb{};
  return qvedGetVar(variable, &rb) == kQvNormal && rb.type == kRbShort ? rb.value.int16 : -1;
}

template <class Convert>
void sayEveryMode(const Mode (&modes)[5], int current, Convert convert) {
  for (const Mode& mode : modes) {
    QvString text;
    if (convert(mode.code, text) != kQvNormal) text = L"(cannot be written)";
    TarvoCommandInput::say(QvString::format(L"\n  %-14ls %ls%ls", mode.name, text.c_str(),
                                            mode.code == current ? L"   (current)" : L""));
  }
}

}  // namespace

int TarvoLengthTextCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString text;
  if (qvedGetString(1, L"\nLength in current units: ", text) != kQvNormal) return kQvCancel;
  double value = 0.0;
  const int current = currentMode(L"LUNITS");
  if (VexaServicesManager::UnformatLinear(value, text) != kQvNormal) {
    TarvoCommandInput::say(
        QvString::format(L"\nNot a length in the current units (LUNITS %d).", current));
    return kQvError;
  }
  sayEveryMode(kLengthModes, current, [value](int mode, QvString& out) {
    return VexaServicesManager::vexaConvertRealToString(value, mode, -1, out);
  });
  return kQvNormal;
}

int TarvoAngleTextCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString text;
  if (qvedGetString(1, L"\nAngle in current units: ", text) != kQvNormal) return kQvCancel;
  double value = 0.0;
  const int current = currentMode(L"AUNITS");
  if (VexaServicesManager::UnformatAngle(value, text) != kQvNormal) {
    TarvoCommandInput::say(
        QvString::format(L"\nNot an angle in the current units (AUNITS %d).", current));
    return kQvError;
  }
  sayEveryMode(kAngleModes, current, [value](int mode, QvString& out) {
    return VexaServicesManager::vexaConvertAngleToString(value, mode, -1, out);
  });
  return kQvNormal;
}
