#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// Matrices held as double[4][4], row-major, acting on column vectors: the transformed point is
// M (x, y, z, 1); column 3 holds the translation and row 3 is (0, 0, 0, 1).

// Sets m to the identity (a null m is reported and ignored).
XQCMDUTIL_EXPORT void xq_idmat(double m[4][4]);

// c = a * b, through a temporary so that c may be a or b. A null argument is reported through
// qvReportInvalidParameter and c is left as it was.
XQCMDUTIL_EXPORT void multMtx2Mtx(const double a[4][4], const double b[4][4], double c[4][4]);
