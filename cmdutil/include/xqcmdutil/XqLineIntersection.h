#pragma once

#include <cstdint>

#include "xqcmdutil/XqCmdUtilExport.h"

// Intersections of straight segments and distances of points from lines, on points held as
// arrays of three doubles. A null pointer where a point is needed is reported through
// qvReportInvalidParameter; the functions then answer as documented per function and write
// nothing.

// Intersects the segments a1-a2 and b1-b2 in plan (x and y); z is interpolated along one of
// them. Codes: 0 the lines meet outside both segments, 1 on a only, 2 on b only, 3 on both;
// -1 parallel, degenerate, or a null pointer. out gets the point for codes 0 to 3.
XQCMDUTIL_EXPORT int16_t LineXline(const double* a1, const double* a2, const double* b1,
                                   const double* b2, double* out);

// Intersects the segments in space (tolerance 1e-7). Codes: 0 to 3 as for LineXline; -1 no
// intersection (parallel and apart, or a null pointer); -2 collinear and overlapping, out at the
// start of the overlap; -3 collinear and apart; -4 the plan lines meet but the segments pass
// each other in z. Segments in one vertical plane that cross at an angle get their crossing
// (codes 0 to 3).
XQCMDUTIL_EXPORT int LineXline3d(const double* a1, const double* a2, const double* b1,
                                 const double* b2, double* out);

// The foot of p on the line a-b (foot and dist may be null). 1 when the foot lies on the
// segment, 0 when outside it, -1 when a and b coincide (foot a), -2 for a null point (dist 0).
XQCMDUTIL_EXPORT int16_t PtLnDist(const double* p, const double* a, const double* b, double* dist,
                                  double* foot);

// True when p lies on the segment a-b: |dist(p, a) + dist(p, b) - dist(a, b)| <= 1e-11.
XQCMDUTIL_EXPORT bool isPtOnLine(const double* p, const double* a, const double* b);
