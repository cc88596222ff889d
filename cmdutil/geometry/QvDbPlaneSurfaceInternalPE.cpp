#include "cmdutil/geometry/QvDbPlaneSurfaceInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPlaneSurfaceInternalPE, L"QvDbEntityInternalPE")
