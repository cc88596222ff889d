#include "cmdutil/geometry/QvDbCurveInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbCurveInternalPE, L"QvDbEntityInternalPE")
