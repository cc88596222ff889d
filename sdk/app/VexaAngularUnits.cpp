// Angles as text and back (VexaUnitsFormatter::angleText, angleValue).

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "sdk/app/VexaUnitsFormatter.h"
#include "sdk/app/detail/VexaUnitText.h"

using namespace vexa_units;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kGrad = std::numbers::pi / 200.0;

// Degrees, minutes and seconds to a precision: the smallest step shown, as a count per
// degree, and how the count is written.
struct DmsStep {
  int parts;           // 1 degrees, 2 and minutes, 3 and seconds
  int secondDecimals;  // decimals of the seconds
  int64_t perDegree;

  explicit DmsStep(int precision)
      : parts(precision == 0   ? 1
              : precision <= 2 ? 2
                               : 3),
        secondDecimals(precision > 4 ? precision - 4 : 0),
        perDegree(parts == 1   ? 1
                  : parts == 2 ? 60
                               : 3600 * pow10(secondDecimals)) {}

  static int64_t pow10(int n) {
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
  }

  // `degrees` in [0, 360] to a count of steps; a full turn gives 0 when `wrap` is set.
  int64_t count(double degrees, bool wrap) const {
    auto n = static_cast<int64_t>(std::llround(degrees * static_cast<double>(perDegree)));
    if (wrap && n >= 360 * perDegree) n -= 360 * perDegree;
    return n;
  }

  std::string text(int64_t n) const {
    const int64_t degrees = n / perDegree;
    std::string out = std::to_string(degrees) + "d";
    if (parts == 1) return out;
    const int64_t perMinute = perDegree / 60;
    const int64_t rest = n - degrees * perDegree;
    out += std::to_string(rest / perMinute) + "'";
    if (parts == 2) return out;
    return out + scaledText(rest % perMinute, secondDecimals) + "\"";
  }
};

// Decimal degrees or grads in [0, period): a rounding up to the period gives 0.
std::string periodicText(double value, double period, int precision) {
  const double scale = std::pow(10.0, precision);
  auto n = static_cast<int64_t>(std::llround(value * scale));
  if (n >= static_cast<int64_t>(std::llround(period * scale))) n = 0;
  return scaledText(n, precision);
}

std::string surveyorText(double degrees, int precision) {
  const DmsStep step(precision);
  const int64_t n = step.count(degrees, true);
  const int64_t quarter = 90 * step.perDegree;
  if (n == 0) return "E";
  if (n == quarter) return "N";
  if (n == 2 * quarter) return "W";
  if (n == 3 * quarter) return "S";
  if (n < quarter) return "N " + step.text(quarter - n) + " E";
  if (n < 2 * quarter) return "N " + step.text(n - quarter) + " W";
  if (n < 3 * quarter) return "S " + step.text(3 * quarter - n) + " W";
  return "S " + step.text(n - 3 * quarter) + " E";
}

// Degrees, minutes and seconds after the degrees number and its mark: "30'", "30'15.5\"".
bool minutesAndSeconds(Scanner& in, double& degrees) {
  const size_t start = in.position();
  double minutes = 0.0;
  if (in.number(minutes)) {
    if (!in.accept(L'\'')) {
      in.reset(start);
      return true;
    }
    degrees += minutes / 60.0;
  }
  const size_t beforeSeconds = in.position();
  double seconds = 0.0;
  if (in.number(seconds)) {
    if (!in.accept(L'"')) {
      in.reset(beforeSeconds);
      return true;
    }
    degrees += seconds / 3600.0;
  }
  return true;
}

// An unsigned angle in radians: a number with its unit mark, or in `plainUnit` radians.
bool angleMagnitude(Scanner& in, double plainUnit, double& radians) {
  double value = 0.0;
  if (!in.number(value)) return false;
  if (in.accept(L'd') || in.accept(L'D') || in.accept(L'\u00B0')) {
    minutesAndSeconds(in, value);
    radians = value * kDegree;
  } else if (in.acceptLetter(L"G")) {
    radians = value * kGrad;
  } else if (in.acceptLetter(L"R")) {
    radians = value;
  } else {
    radians = value * plainUnit;
  }
  return true;
}

// "N 45d30' E", "S30W", or one of "N", "S", "E", "W" alone.
bool bearing(Scanner& in, double& radians) {
  const size_t start = in.position();
  const wchar_t from = in.acceptLetter(L"NSEW");
  if (!from) return false;
  in.blanks();
  if (in.atEnd()) {
    radians = from == L'E'   ? 0.0
              : from == L'N' ? 90 * kDegree
              : from == L'W' ? 180 * kDegree
                             : 270 * kDegree;
    return true;
  }
  double angle = 0.0;
  if ((from == L'N' || from == L'S') && angleMagnitude(in, kDegree, angle)) {
    in.blanks();
    const wchar_t towards = in.acceptLetter(L"EW");
    if (towards && angle <= std::numbers::pi / 2 * (1 + 1e-12)) {
      const double base = from == L'N' ? 90 * kDegree : 270 * kDegree;
      const bool clockwise = (from == L'N') == (towards == L'E');
      radians = clockwise ? base - angle : base + angle;
      return true;
    }
  }
  in.reset(start);
  return false;
}

}  // namespace

std::optional<QvString> VexaUnitsFormatter::angleText(double radians, int mode, int precision) {
  if (!std::isfinite(radians) || !validPrecision(precision)) return std::nullopt;
  const double angle = normalised(radians, kTwoPi);
  const double degrees = angle / kDegree;
  switch (mode) {
    case kDegrees:
      return widen(periodicText(degrees, 360.0, precision));
    case kDegMinSec: {
      const DmsStep step(precision);
      return widen(step.text(step.count(degrees, true)));
    }
    case kGrads:
      return widen(periodicText(angle / kGrad, 400.0, precision) + "g");
    case kRadians: {
      // An angle that would round to a full turn or more is written as 0.
      const double scale = std::pow(10.0, precision);
      const bool fullTurn = static_cast<double>(std::llround(angle * scale)) >= kTwoPi * scale;
      return widen(fixedText(fullTurn ? 0.0 : angle, precision) + "r");
    }
    case kSurveyor:
      return widen(surveyorText(degrees, precision));
    default:
      return std::nullopt;
  }
}

std::optional<double> VexaUnitsFormatter::angleValue(std::wstring_view text, int mode) {
  if (mode < kDegrees || mode > kSurveyor) return std::nullopt;
  const double plainUnit = mode == kGrads ? kGrad : mode == kRadians ? 1.0 : kDegree;
  Scanner in(text);
  in.blanks();
  double radians = 0.0;
  bool read = bearing(in, radians);
  if (!read) {
    const int sign = in.sign();
    read = angleMagnitude(in, plainUnit, radians);
    radians *= sign;
  }
  in.blanks();
  if (!read || !in.atEnd() || !std::isfinite(radians)) return std::nullopt;
  return normalised(radians, kTwoPi);
}
