#pragma once

#include <cstdint>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector2d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Numeric primitives of the classic helper library: tolerant comparisons, angle ranges, value
// checks and small vector operations on points held as arrays of three doubles (x, y, z).
// They keep no state and allocate nothing. A null pointer where an array is needed is reported
// through qvReportInvalidParameter and nothing is written (comparisons then answer false,
// distances 0).

// Relative comparison with b as the reference: |a| <= tol when |b| <= tol, else
// |a / b - 1| <= tol. Not symmetric in a and b.
XQCMDUTIL_EXPORT bool IMvexaRealEqual(double a, double b, double tol);
// The same rule coordinate by coordinate with q as the reference; the relative branch fails at
// |p_i / q_i - 1| >= tol.
XQCMDUTIL_EXPORT bool IMvexaPointEqual(const double* p, const double* q, double tol);
// Angles reduced to [0, 2pi] (a negative angle x becomes 2pi - |x| reduced), then compared with
// IMvexaRealEqual.
XQCMDUTIL_EXPORT bool IMvexaAngleEqual(double a, double b, double tol);
// IMvexaPointEqual with the relative test written as |p_i - q_i| >= |q_i * tol|.
XQCMDUTIL_EXPORT bool isPointEqual(const double* p, const double* q, double tol);

// 1 for zero of either sign and every finite normal number; 0 for subnormals, infinities and
// NaNs (decided by the exponent field).
XQCMDUTIL_EXPORT int qv_isvalid_real(double x);
// Brings *start into [-1e-10, 2pi - 1e-10) and *end (when given) to at or after it, within
// [-1e-10, 2pi + 1e-10) plus one turn. An invalid start, or one beyond 1e6 in size, becomes 0
// and end is left alone; an invalid or too large end becomes 0.
XQCMDUTIL_EXPORT void qv_normang(double* start, double* end);

XQCMDUTIL_EXPORT double IMqv_dist3d(const double* p, const double* q);
// The low 16 bits of i as a signed 16-bit value.
XQCMDUTIL_EXPORT int16_t IMshortCast(int i);

// a x b written to out; out may be a or b.
XQCMDUTIL_EXPORT void calcCrossProduct(const double* a, const double* b, double* out);
XQCMDUTIL_EXPORT void qv_crossproduct(const double* a, const double* b, double* out);
XQCMDUTIL_EXPORT void xq_crossproduct(const double* a, const double* b, double* out);
// a.x * b.y - a.y * b.x.
XQCMDUTIL_EXPORT double crossProduct2d(const QvGeVector2d& a, const QvGeVector2d& b);

XQCMDUTIL_EXPORT void copySdsPoint(double* dst, const double* src);
XQCMDUTIL_EXPORT void copyOdGePoint3dToSdsPoint(double* dst, const QvGePoint3d& src);
