#include "sdk/app/VexaServicesManagerInterface.h"

#include <algorithm>
#include <array>
#include <cwchar>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedOutput.h"

namespace {

constexpr std::array<int, 24> kStandardWeights = {0,  5,   9,   13,  15,  18,  20,  25,
                                                  30, 35,  40,  50,  53,  60,  70,  80,
                                                  90, 100, 106, 120, 140, 158, 200, 211};

}  // namespace

void VexaServicesManagerInterface::showTextScreen() {
  qvedTextScr();
}

bool VexaServicesManagerInterface::isValidLineWeight(int weight) {
  if (weight == kLnWtByLayer || weight == kLnWtByBlock || weight == kLnWtByLwDefault) return true;
  return std::find(kStandardWeights.begin(), kStandardWeights.end(), weight) !=
         kStandardWeights.end();
}

int VexaServicesManagerInterface::lineWeightToString(int weight, QvString& text) const {
  switch (weight) {
    case kLnWtByLayer:
      text = L"ByLayer";
      return kQvNormal;
    case kLnWtByBlock:
      text = L"ByBlock";
      return kQvNormal;
    case kLnWtByLwDefault:
      text = L"Default";
      return kQvNormal;
    default:
      break;
  }
  if (!isValidLineWeight(weight)) return kQvError;
  // Hundredths of a millimetre, written with two decimals without going through a double.
  wchar_t buffer[16];
  swprintf(buffer, 16, L"%d.%02d mm", weight / 100, weight % 100);
  text = buffer;
  return kQvNormal;
}

VexaServicesManagerInterface* getServicesManagerInterface() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaServicesManagerInterface>() : nullptr;
}
