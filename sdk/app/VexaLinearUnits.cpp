// Lengths as text and back (VexaUnitsFormatter::linearText, linearValue).

#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>

#include "sdk/app/VexaUnitsFormatter.h"
#include "sdk/app/detail/VexaUnitText.h"

using namespace vexa_units;

namespace {

// A count of 1/denominator written as a whole number and a reduced fraction: "15 1/2",
// "1/2", "15"; `zero` when both are nothing.
std::string mixedText(double whole, int64_t numerator, int64_t denominator, const char* zero) {
  if (numerator != 0) {
    const int64_t g = std::gcd(numerator, denominator);
    numerator /= g;
    denominator /= g;
  }
  std::string text = whole != 0.0 ? fixedText(whole, 0) : std::string();
  if (numerator != 0) {
    if (!text.empty()) text += ' ';
    text += std::to_string(numerator) + "/" + std::to_string(denominator);
  }
  return text.empty() ? zero : text;
}

// Feet with decimal inches; a rounding up to 12 inches carries into the feet.
std::string engineeringText(double magnitude, int precision) {
  double feet = std::floor(magnitude / 12.0);
  const double scale = std::pow(10.0, precision);
  double inchUnits = std::round((magnitude - 12.0 * feet) * scale);
  if (inchUnits >= 12.0 * scale) {
    feet += 1.0;
    inchUnits = 0.0;
  }
  if (inchUnits < 0.0) inchUnits = 0.0;
  return fixedText(feet, 0) + "'-" + scaledText(static_cast<int64_t>(inchUnits), precision) + "\"";
}

// Feet and inches to 1/2^precision of an inch; zero feet are left out.
std::string architecturalText(double magnitude, int precision) {
  const double denominator = std::ldexp(1.0, precision);
  const double units = std::round(magnitude * denominator);
  const double perFoot = 12.0 * denominator;
  const double rest = std::fmod(units, perFoot);
  const double feet = (units - rest) / perFoot;
  const double inches = std::floor(rest / denominator);
  const auto numerator = static_cast<int64_t>(rest - inches * denominator);
  const auto den = static_cast<int64_t>(denominator);
  if (feet == 0.0) return mixedText(inches, numerator, den, "0") + "\"";
  // With feet shown the whole inches always are: 1'-0", 1'-0 1/2".
  std::string inchText = fixedText(inches, 0);
  if (numerator != 0) {
    const std::string part = mixedText(0.0, numerator, den, "");
    inchText += " " + part;
  }
  return fixedText(feet, 0) + "'-" + inchText + "\"";
}

std::string fractionalText(double magnitude, int precision) {
  const double denominator = std::ldexp(1.0, precision);
  const double units = std::round(magnitude * denominator);
  const double whole = std::floor(units / denominator);
  const auto numerator = static_cast<int64_t>(units - whole * denominator);
  return mixedText(whole, numerator, static_cast<int64_t>(denominator), "0");
}

// Whether a written length has a non-zero digit.
bool hasNonZeroDigit(const std::string& text) {
  for (const char c : text) {
    if (c == 'E') break;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

// Feet and inches, or inches alone: "1'", "1'-3.5\"", "1' 3 1/2\"", "3-1/2\"", "7".
bool feetAndInches(Scanner& in, double& value) {
  const size_t start = in.position();
  double feet = 0.0;
  if (in.number(feet) && in.accept(L'\'')) {
    in.blanks();
    const bool hyphen = in.accept(L'-');
    in.blanks();
    if (in.atEnd()) {
      if (hyphen) return false;
      value = 12.0 * feet;
      return true;
    }
    double inches = 0.0;
    if (!in.mixedNumber(inches)) return false;
    in.accept(L'"');
    value = 12.0 * feet + inches;
    return true;
  }
  in.reset(start);
  if (!in.mixedNumber(value)) return false;
  in.accept(L'"');
  return true;
}

}  // namespace

std::optional<QvString> VexaUnitsFormatter::linearText(double value, int mode, int precision) {
  if (!std::isfinite(value) || !validPrecision(precision)) return std::nullopt;
  if (mode == kScientific) return widen(scientificText(value, precision));
  if (mode == kDecimal) return widen(fixedText(value, precision));
  std::string text;
  const double magnitude = std::fabs(value);
  switch (mode) {
    case kEngineering:
      text = engineeringText(magnitude, precision);
      break;
    case kArchitectural:
      text = architecturalText(magnitude, precision);
      break;
    case kFractional:
      text = fractionalText(magnitude, precision);
      break;
    default:
      return std::nullopt;
  }
  if (value < 0.0 && hasNonZeroDigit(text)) text.insert(0, 1, '-');
  return widen(text);
}

std::optional<double> VexaUnitsFormatter::linearValue(std::wstring_view text, int mode) {
  if (mode < kScientific || mode > kFractional) return std::nullopt;
  Scanner in(text);
  in.blanks();
  const int sign = in.sign();
  double value = 0.0;
  bool read = false;
  switch (mode) {
    case kEngineering:
    case kArchitectural:
      read = feetAndInches(in, value);
      break;
    case kFractional:
      read = in.mixedNumber(value);
      break;
    default:
      read = in.number(value);
      break;
  }
  in.blanks();
  if (!read || !in.atEnd() || !std::isfinite(value)) return std::nullopt;
  return value == 0.0 ? 0.0 : sign * value;
}
