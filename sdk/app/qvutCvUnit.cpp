#include "sdk/app/qvutCvUnit.h"

#include <cmath>

#include "sdk/app/VexaUnitTable.h"

int qvutCvUnit(double value, const wchar_t* fromUnit, const wchar_t* toUnit, double* result) {
  if (!result || !std::isfinite(value)) return kQvError;
  const VexaLengthUnit* from = VexaUnitTable::find(fromUnit);
  const VexaLengthUnit* to = VexaUnitTable::find(toUnit);
  if (!from || !to) return kQvError;
  const std::optional<double> factor = VexaUnitTable::factor(*from, *to);
  if (!factor) return kQvError;
  *result = value * *factor;
  return kQvNormal;
}
