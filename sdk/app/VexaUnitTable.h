#pragma once

#include <cstdint>
#include <optional>
#include <span>

// A length unit of the host's unit table. Its size in metres is exact: a ratio of whole numbers
// times pi to a power (the parsec is 648000 / pi astronomical units). A unit without a size
// ("Unspecified (No units)") converts to nothing.
struct VexaLengthUnit {
  const wchar_t* name;
  int64_t metresNumerator;  // 0: no size
  int64_t metresDenominator;
  int piPower;  // 0, or -1 for a size divided by pi

  bool hasSize() const { return metresNumerator != 0; }
};

// The host's table of length units, under the names the unit system variables use ("Inches",
// "Millimeters", ...). Sizes are the definitions: the international inch, foot, yard and mile,
// the SI prefixes, the astronomical unit of 149 597 870 700 m, the light year of one Julian
// year (365.25 days) at 299 792 458 m/s, and the parsec of 648000 / pi astronomical units.
class VexaUnitTable {
 public:
  // Every unit, "Unspecified (No units)" first.
  static std::span<const VexaLengthUnit> units();
  // The unit of a name, in any case; null when the table has none.
  static const VexaLengthUnit* find(const wchar_t* name);
  // The factor that turns a length in `from` into one in `to`: the correctly rounded ratio of
  // the exact sizes (one more rounding when pi is involved). Nothing when either has no size.
  static std::optional<double> factor(const VexaLengthUnit& from, const VexaLengthUnit& to);
};
