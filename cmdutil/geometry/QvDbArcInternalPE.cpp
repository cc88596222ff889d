#include "cmdutil/geometry/QvDbArcInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbArcInternalPE, L"QvDbCurveInternalPE")
