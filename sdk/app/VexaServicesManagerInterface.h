#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The host's services-manager interface: the text screen and the text of line weights.
class VexaServicesManagerInterface : public VexaHostService {
 public:
  // Line weights in hundredths of a millimetre; the special values.
  static constexpr int kLnWtByLayer = -1;
  static constexpr int kLnWtByBlock = -2;
  static constexpr int kLnWtByLwDefault = -3;

  // Switches the command line to the text screen.
  void showTextScreen();
  // "ByLayer", "ByBlock", "Default", or a standard weight as millimetres ("0.25 mm"): kQvNormal.
  // kQvError with `text` unchanged for any other value.
  int lineWeightToString(int weight, QvString& text) const;
  // True for the standard weights (0 to 211) and the special values.
  static bool isValidLineWeight(int weight);
};

// The running host's services-manager interface, or null when no host runs.
VexaServicesManagerInterface* getServicesManagerInterface();
