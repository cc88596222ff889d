#include "cmdutil/geometry/QvDbCurveInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbCurveInternalPE, L"QvDbEntityInternalPE")
