#include "cmdutil/geometry/QvDbLineInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbLineInternalPE, L"QvDbCurveInternalPE")
