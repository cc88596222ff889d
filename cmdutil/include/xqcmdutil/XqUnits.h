#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// Insertion units and line weights.
//
// Insertion-unit codes, as "INSUNITS", "INSUNITSDEFSOURCE" and "INSUNITSDEFTARGET" hold them:
// 0 "Unspecified (No units)", 1 "Inches", 2 "Feet", 3 "Miles", 4 "Millimeters",
// 5 "Centimeters", 6 "Meters", 7 "Kilometers", 8 "Microinches", 9 "Mils", 10 "Yards",
// 11 "Angstroms", 12 "Nanometers", 13 "Microns", 14 "Decimeters", 15 "Dekameters",
// 16 "Hectometers", 17 "Gigameters", 18 "Astronomical Units", 19 "Light Years", 20 "Parsecs".

// The factor that turns a length in `source` units into `target` units, by the host's unit
// conversion. A source of 0 is replaced by "INSUNITSDEFSOURCE", a target of 0 by
// "INSUNITSDEFTARGET". 1.0 when a needed variable cannot be read, a code has no name, or the
// conversion fails (an unspecified unit on either side).
XQCMDUTIL_EXPORT double getScaleFactor(int target, int source);

// How many drawing units ("INSUNITS"; 1 when it cannot be read) make one inch; 1.0 for inches,
// unspecified and codes without a name.
XQCMDUTIL_EXPORT double inchToUnitFactor();

// Matches a line width in millimetres against the standard line weights (0.0, 0.05, 0.09,
// 0.13, 0.15, 0.18, 0.2, 0.25, 0.3, 0.35, 0.4, 0.5, 0.53, 0.6, 0.7, 0.8, 0.9, 1.0, 1.06, 1.2,
// 1.4, 1.58, 2.0, 2.11). Within 1e-9 of one, `hundredths` gets that weight in hundredths of a
// millimetre (35 for 0.35) and the result is kQvNormal; otherwise kQvError and `hundredths` is
// untouched.
XQCMDUTIL_EXPORT int MatchLineWidth(double width, int& hundredths);
