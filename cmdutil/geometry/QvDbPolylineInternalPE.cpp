#include "cmdutil/geometry/QvDbPolylineInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPolylineInternalPE, L"QvDbCurveInternalPE")
