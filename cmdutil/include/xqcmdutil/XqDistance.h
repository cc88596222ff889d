#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// Reads a distance typed by a user into `value`, in the drawing's base unit (inches for feet
// and inches): plain decimals ("12.5", ".5"), scientific ("1.5e3") and feet and inches with
// fractions ("1'6", "1'-6 1/2\"", "6 1/2", "3/4\"", "2.5'"). A leading '+' or '-' gives the
// sign; -0 reads as 0. With `allowScaleSuffix` the text ends at the first 'x' or 'X' ("2x").
// Leading blanks and tabs and trailing blanks are ignored. Numbers are read the same in every
// locale. A negative `unitMode` needs a working database.
// Returns kQvNormal; kQvError for a malformed text (or a null one); kQvRejected for characters
// after an exponent, or a magnitude beyond 1.2345678e304 or below 1.2345678e-304 (the value is
// still written).
XQCMDUTIL_EXPORT int vexaConvertStringToDistance(const wchar_t* text, double* value, int unitMode,
                                                 bool allowScaleSuffix);
