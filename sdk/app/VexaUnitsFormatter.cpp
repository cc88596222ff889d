#include "sdk/app/VexaUnitsFormatter.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"

namespace {

int shortVariable(const wchar_t* name, int fallback) {
  resbuf rb{};
  if (qvedGetVar(name, &rb) != kQvNormal || rb.type != kRbShort) return fallback;
  return rb.value.int16;
}

}  // namespace

VexaUnitsFormatter::VexaUnitsFormatter()
    : VexaUnitsFormatter(currentLinearMode(), currentLinearPrecision(), currentAngularMode(),
                         currentAngularPrecision()) {}

int VexaUnitsFormatter::currentLinearMode() {
  return shortVariable(L"LUNITS", kDecimal);
}

int VexaUnitsFormatter::currentLinearPrecision() {
  return shortVariable(L"LUPREC", 4);
}

int VexaUnitsFormatter::currentAngularMode() {
  return shortVariable(L"AUNITS", kDegrees);
}

int VexaUnitsFormatter::currentAngularPrecision() {
  return shortVariable(L"AUPREC", 0);
}

int VexaUnitsFormatter::formatLinear(QvString& text, double value) const {
  std::optional<QvString> result = linearText(value, linearMode_, linearPrecision_);
  if (!result) return kQvError;
  text = std::move(*result);
  return kQvNormal;
}

int VexaUnitsFormatter::formatAngle(QvString& text, double radians) const {
  std::optional<QvString> result = angleText(radians, angularMode_, angularPrecision_);
  if (!result) return kQvError;
  text = std::move(*result);
  return kQvNormal;
}

int VexaUnitsFormatter::unformatLinear(double& value, const QvString& text) const {
  const std::optional<double> result = linearValue(text.wstr(), linearMode_);
  if (!result) return kQvError;
  value = *result;
  return kQvNormal;
}

int VexaUnitsFormatter::unformatAngle(double& value, const QvString& text) const {
  const std::optional<double> result = angleValue(text.wstr(), angularMode_);
  if (!result) return kQvError;
  value = *result;
  return kQvNormal;
}
