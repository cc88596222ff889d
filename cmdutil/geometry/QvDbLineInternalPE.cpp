#include "cmdutil/geometry/QvDbLineInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbLineInternalPE, L"QvDbCurveInternalPE")
