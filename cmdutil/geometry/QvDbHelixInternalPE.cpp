#include "cmdutil/geometry/QvDbHelixInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHelixInternalPE, L"QvDbCurveInternalPE")
