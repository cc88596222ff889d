#include "cmdutil/geometry/QvDb2dPolylineInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb2dPolylineInternalPE, L"QvDbCurveInternalPE")
