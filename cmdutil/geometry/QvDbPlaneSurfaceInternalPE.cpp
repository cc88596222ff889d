#include "cmdutil/geometry/QvDbPlaneSurfaceInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPlaneSurfaceInternalPE, L"QvDbEntityInternalPE")
