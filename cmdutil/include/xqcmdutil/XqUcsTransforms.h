#pragma once

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class QvDbDatabase;
class QvGsView;

// Conversions between the world coordinate system (WCS) and the current user coordinate system
// (UCS) of the host. Points are arrays of three doubles; plain matrices are double[4][4] as in
// XqPlainMatrix.h (row-major, acting on column vectors, column 3 the translation).

// A point (disp 0) or a displacement (disp non-zero) from the UCS to the WCS, through the
// host's qvedTrans. 1 on success; 0 when the host refuses (no running host), out untouched.
// A null p or out is reported through qvReportInvalidParameter and answers 0.
XQCMDUTIL_EXPORT int uc2wc(const double* p, double* out, int disp);
// The same from the WCS to the UCS.
XQCMDUTIL_EXPORT int wc2uc(const double* p, double* out, int disp);

// The matrix taking world coordinates to UCS coordinates: columns 0 to 2 are the world axes
// and column 3 the world origin, as wc2uc gives them. When the host cannot transform (no
// running host) m is the identity, the UCS of a host without drawings. A null m is reported.
XQCMDUTIL_EXPORT void wc2ucMatrix(double m[4][4]);
// The matrix taking UCS coordinates to world coordinates, built the same way with uc2wc.
XQCMDUTIL_EXPORT void uc2wcMatrix(double m[4][4]);

// Rewrites a transformation given in world terms so that it acts on UCS coordinates:
// m = W2U * m * U2W. A null m is reported.
XQCMDUTIL_EXPORT void TransDependOnUcs(double m[4][4]);

// A UCS point of the working database's UCS (qvdbUcsMatrix) in world coordinates; the point
// itself when there is no working database.
XQCMDUTIL_EXPORT QvGePoint3d ucsToWcs(const QvGePoint3d& p);

// The matrix that carries the frame of db's UCS, with its origin moved by offset (a world
// vector), onto the world frame. db null means the working database. The identity when the
// drawing's UCS cannot be read.
XQCMDUTIL_EXPORT void getUcsToWcsOriginMatrix(QvGeMatrix3d& m, const QvGePoint3d& offset,
                                              const QvDbDatabase* db);

// A world point in the display coordinates of the viewport that shows `view` (its x and y);
// the 2D origin for a null view or one that no viewport shows.
XQCMDUTIL_EXPORT QvGePoint2d vexaWcsToDcsTransf(const QvGePoint3d& p, const QvGsView* view);

// The graphics view of the active viewport of the active document; null without one.
XQCMDUTIL_EXPORT QvGsView* vexaGetActiveQvGsView();
