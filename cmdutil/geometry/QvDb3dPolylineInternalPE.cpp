#include "cmdutil/geometry/QvDb3dPolylineInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb3dPolylineInternalPE, L"QvDbCurveInternalPE")
