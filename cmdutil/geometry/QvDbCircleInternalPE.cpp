#include "cmdutil/geometry/QvDbCircleInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbCircleInternalPE, L"QvDbCurveInternalPE")
