#include "cmdutil/geometry/QvDbHelixInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHelixInternalPE, L"QvDbCurveInternalPE")
