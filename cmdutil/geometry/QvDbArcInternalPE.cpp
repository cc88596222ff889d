#include "cmdutil/geometry/QvDbArcInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbArcInternalPE, L"QvDbCurveInternalPE")
