#include "cmdutil/geometry/QvDbPolylineInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPolylineInternalPE, L"QvDbCurveInternalPE")
