#include "sdk/app/qvdbUnits.h"

#include <cwchar>
#include <optional>

#include "sdk/app/VexaUnitsFormatter.h"
#include "sdk/base/QvClassicCodes.h"

namespace {

int copyOut(const std::optional<QvString>& result, wchar_t* text, size_t size) {
  if (!result || !text || static_cast<size_t>(result->length()) >= size) return kQvError;
  std::wmemcpy(text, result->c_str(), static_cast<size_t>(result->length()) + 1);
  return kQvNormal;
}

int assign(std::optional<QvString> result, QvString& text) {
  if (!result) return kQvError;
  text = std::move(*result);
  return kQvNormal;
}

int assign(std::optional<double> result, double* value) {
  if (!result || !value) return kQvError;
  *value = *result;
  return kQvNormal;
}

// -1 takes the drawing's setting; only the settings asked for are read.
std::optional<QvString> lengthText(double value, int unit, int precision) {
  return VexaUnitsFormatter::linearText(
      value, unit == -1 ? VexaUnitsFormatter::currentLinearMode() : unit,
      precision == -1 ? VexaUnitsFormatter::currentLinearPrecision() : precision);
}

std::optional<QvString> angleText(double angle, int unit, int precision) {
  return VexaUnitsFormatter::angleText(
      angle, unit == -1 ? VexaUnitsFormatter::currentAngularMode() : unit,
      precision == -1 ? VexaUnitsFormatter::currentAngularPrecision() : precision);
}

}  // namespace

int qvdbRToS(double value, int unit, int precision, wchar_t* text, size_t size) {
  return copyOut(lengthText(value, unit, precision), text, size);
}

int qvdbRToS(double value, int unit, int precision, QvString& text) {
  return assign(lengthText(value, unit, precision), text);
}

int qvdbRawAngToS(double angle, int unit, int precision, wchar_t* text, size_t size) {
  return copyOut(angleText(angle, unit, precision), text, size);
}

int qvdbRawAngToS(double angle, int unit, int precision, QvString& text) {
  return assign(angleText(angle, unit, precision), text);
}

int qvdbDisToF(const wchar_t* text, int unit, double* value) {
  if (!text || !value) return kQvError;
  if (unit == -1) unit = VexaUnitsFormatter::currentLinearMode();
  return assign(VexaUnitsFormatter::linearValue(text, unit), value);
}

int qvdbAngToF(const wchar_t* text, int unit, double* value) {
  if (!text || !value) return kQvError;
  if (unit == -1) unit = VexaUnitsFormatter::currentAngularMode();
  return assign(VexaUnitsFormatter::angleValue(text, unit), value);
}
