#include "sdk/app/VexaUnitTable.h"

#include <numbers>

#include "sdk/base/QvString.h"

namespace {

__extension__ typedef __int128 Int128;

constexpr int64_t kAstronomicalUnit = 149597870700;             // metres
constexpr int64_t kLightYear = 9460730472580800;                // 299792458 * 365.25 * 86400 metres
constexpr int64_t kParsecTimesPi = kAstronomicalUnit * 648000;  // metres * pi

constexpr VexaLengthUnit kUnits[] = {
    {L"Unspecified (No units)", 0, 1, 0},
    {L"Inches", 127, 5000, 0},
    {L"Feet", 381, 1250, 0},
    {L"Miles", 201168, 125, 0},
    {L"Millimeters", 1, 1000, 0},
    {L"Centimeters", 1, 100, 0},
    {L"Meters", 1, 1, 0},
    {L"Kilometers", 1000, 1, 0},
    {L"Microinches", 127, 5000000000, 0},
    {L"Mils", 127, 5000000, 0},
    {L"Yards", 1143, 1250, 0},
    {L"Angstroms", 1, 10000000000, 0},
    {L"Nanometers", 1, 1000000000, 0},
    {L"Microns", 1, 1000000, 0},
    {L"Decimeters", 1, 10, 0},
    {L"Dekameters", 10, 1, 0},
    {L"Hectometers", 100, 1, 0},
    {L"Gigameters", 1000000000, 1, 0},
    {L"Astronomical Units", kAstronomicalUnit, 1, 0},
    {L"Light Years", kLightYear, 1, 0},
    {L"Parsecs", kParsecTimesPi, 1, -1},
};

Int128 gcd(Int128 a, Int128 b) {
  while (b != 0) {
    const Int128 r = a % b;
    a = b;
    b = r;
  }
  return a;
}

// Names compare as QvString::isEqualNoCase does, without copies: conversions look units up
// by name each time.
bool sameNameNoCase(const wchar_t* a, const wchar_t* b) {
  for (; *a && *b; ++a, ++b)
    if (*a != *b && qvToLower(*a) != qvToLower(*b)) return false;
  return *a == *b;
}

}  // namespace

std::span<const VexaLengthUnit> VexaUnitTable::units() {
  return kUnits;
}

const VexaLengthUnit* VexaUnitTable::find(const wchar_t* name) {
  if (!name) return nullptr;
  for (const VexaLengthUnit& unit : kUnits)
    if (sameNameNoCase(name, unit.name)) return &unit;
  return nullptr;
}

std::optional<double> VexaUnitTable::factor(const VexaLengthUnit& from, const VexaLengthUnit& to) {
  if (!from.hasSize() || !to.hasSize()) return std::nullopt;
  // (a / b) / (c / d) = a d / (b c), reduced so that both parts are as small as they get.
  Int128 numerator = static_cast<Int128>(from.metresNumerator) * to.metresDenominator;
  Int128 denominator = static_cast<Int128>(from.metresDenominator) * to.metresNumerator;
  const Int128 common = gcd(numerator, denominator);
  numerator /= common;
  denominator /= common;
  double f = static_cast<double>(numerator) / static_cast<double>(denominator);
  const int piPower = from.piPower - to.piPower;
  if (piPower < 0) f /= std::numbers::pi;
  if (piPower > 0) f *= std::numbers::pi;
  return f;
}
