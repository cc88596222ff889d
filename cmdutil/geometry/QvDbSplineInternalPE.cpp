#include "cmdutil/geometry/QvDbSplineInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSplineInternalPE, L"QvDbCurveInternalPE")
