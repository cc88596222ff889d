#include "xqcmdutil/XqProgress.h"

#include "sdk/app/VexaProgressMeter.h"
#include "sdk/base/QvClassicCodes.h"

int VexaProgressStart(const wchar_t* text) {
  vexaSetStatusBarProgressMeter(text, 0, 100);
  return kQvNormal;
}

int VexaSetProgressPercent(int percent) {
  return vexaSetStatusBarProgressMeterPos(percent);
}

int VexaProgressStop() {
  vexaRestoreStatusBarProgressMeter();
  return kQvNormal;
}
