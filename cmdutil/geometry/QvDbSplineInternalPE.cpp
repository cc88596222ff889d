#include "cmdutil/geometry/QvDbSplineInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSplineInternalPE, L"QvDbCurveInternalPE")
