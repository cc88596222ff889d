#pragma once

#include "sdk/base/QvClassicCodes.h"

// Converts `value` from one length unit to another, the units named as in the host's unit
// table (VexaUnitTable: "Inches", "Millimeters", ..., in any case). Returns kQvNormal with the
// converted value in *result; kQvError, with *result untouched, for a null argument, a name the
// table lacks, "Unspecified (No units)" on either side, or a value that is not finite.
int qvutCvUnit(double value, const wchar_t* fromUnit, const wchar_t* toUnit, double* result);
