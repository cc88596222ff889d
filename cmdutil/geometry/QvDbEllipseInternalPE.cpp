#include "cmdutil/geometry/QvDbEllipseInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbEllipseInternalPE, L"QvDbCurveInternalPE")
