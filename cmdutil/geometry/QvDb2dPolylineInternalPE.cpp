#include "cmdutil/geometry/QvDb2dPolylineInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb2dPolylineInternalPE, L"QvDbCurveInternalPE")
