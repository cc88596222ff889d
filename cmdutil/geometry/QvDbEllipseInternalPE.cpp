#include "cmdutil/geometry/QvDbEllipseInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbEllipseInternalPE, L"QvDbCurveInternalPE")
