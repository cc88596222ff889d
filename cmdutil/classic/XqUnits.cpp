#include "xqcmdutil/XqUnits.h"

#include <array>
#include <cmath>
#include <iterator>

#include "cmdutil/classic/XqShortVar.h"
#include "sdk/app/qvutCvUnit.h"
#include "sdk/base/QvClassicCodes.h"

namespace {

// The unit names by insertion-unit code.
constexpr const wchar_t* kUnitNames[] = {L"Unspecified (No units)",
                                         L"Inches",
                                         L"Feet",
                                         L"Miles",
                                         L"Millimeters",
                                         L"Centimeters",
                                         L"Meters",
                                         L"Kilometers",
                                         L"Microinches",
                                         L"Mils",
                                         L"Yards",
                                         L"Angstroms",
                                         L"Nanometers",
                                         L"Microns",
                                         L"Decimeters",
                                         L"Dekameters",
                                         L"Hectometers",
                                         L"Gigameters",
                                         L"Astronomical Units",
                                         L"Light Years",
                                         L"Parsecs"};

// How many units of each code make one inch.
constexpr double kPerInch[] = {1.0,
                               1.0,
                               0.08333333333333333,
                               1.5782828282828283e-5,
                               25.4,
                               2.54,
                               0.0254,
                               2.54e-5,
                               1000000.0,
                               1000.0,
                               0.027777777777777776,
                               254000000.0,
                               25400000.0,
                               25400.0,
                               0.254,
                               0.00254,
                               0.000254,
                               2.54e-11,
                               1.697885129056185e-13,
                               2.684782118422523e-18,
                               8.231579395253184e-19};
static_assert(std::size(kPerInch) == std::size(kUnitNames));

// The standard line weights, in hundredths of a millimetre.
constexpr int kLineWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
constexpr double kLineWidthTolerance = 1e-9;

// The name of an insertion-unit code; null for a code without one.
const wchar_t* unitName(int code) {
  if (code < 0 || code >= static_cast<int>(std::size(kUnitNames))) return nullptr;
  return kUnitNames[code];
}

// The factor from the unit of code `source` to that of `target`, as the unit conversion gives
// it; 1.0 for a code without a name or a unit without a size. The unit table never changes, so
// the factors of all pairs are worked out once.
double namedFactor(int target, int source) {
  constexpr size_t kCodes = std::size(kUnitNames);
  static const auto factors = [] {
    std::array<std::array<double, kCodes>, kCodes> all{};
    for (size_t to = 0; to < kCodes; ++to) {
      for (size_t from = 0; from < kCodes; ++from) {
        double factor = 1.0;
        if (qvutCvUnit(1.0, kUnitNames[from], kUnitNames[to], &factor) != kQvNormal) factor = 1.0;
        all[to][from] = factor;
      }
    }
    return all;
  }();
  if (!unitName(source) || !unitName(target)) return 1.0;
  return factors[static_cast<size_t>(target)][static_cast<size_t>(source)];
}

}  // namespace

double getScaleFactor(int target, int source) {
  if (source == 0 && !xqGetShortVar(L"INSUNITSDEFSOURCE", source)) return 1.0;
  if (target == 0 && !xqGetShortVar(L"INSUNITSDEFTARGET", target)) return 1.0;
  if (source == target) return 1.0;  // what the conversion gives, without its table look-ups
  return namedFactor(target, source);
}

double inchToUnitFactor() {
  int units = 1;
  if (!xqGetShortVar(L"INSUNITS", units)) units = 1;
  if (units < 0 || units >= static_cast<int>(std::size(kPerInch))) return 1.0;
  return kPerInch[units];
}

int MatchLineWidth(double width, int& hundredths) {
  for (const int weight : kLineWeights) {
    if (std::abs(width - weight / 100.0) <= kLineWidthTolerance) {
      hundredths = weight;
      return kQvNormal;
    }
  }
  return kQvError;
}
