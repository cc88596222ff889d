#include "cmdutil/geometry/QvDbCircleInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbCircleInternalPE, L"QvDbCurveInternalPE")
