#pragma once

#include <cstdint>

#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Coordinate systems from a normal vector by the arbitrary-axis rule of the drawing format:
// near the world Z axis (both plan components of the unit normal below 1/64) the x axis is
// world Y x normal, elsewhere world Z x normal; y = normal x x.

// Plain arrays of three doubles. 0 on success; -1 for a zero normal (within 1e-10), when the
// three axes are left unset except zAxis, which holds the copied normal, or for a null pointer
// (reported through qvReportInvalidParameter, nothing written). A normal within 1e-7 of +Z
// gives the exact world axes.
XQCMDUTIL_EXPORT int16_t qv_arbaxis(const double* normal, double* xAxis, double* yAxis,
                                    double* zAxis);

// The same rule on host vectors, with QvGeContext::gTol for the zero-length and Z-axis tests;
// false (axes untouched) for a zero normal.
XQCMDUTIL_EXPORT bool vexaGetArbitraryAxis(const QvGeVector3d& normal, QvGeVector3d& xAxis,
                                           QvGeVector3d& yAxis, QvGeVector3d& zAxis);
