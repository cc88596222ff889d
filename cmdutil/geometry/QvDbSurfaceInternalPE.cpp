#include "cmdutil/geometry/QvDbSurfaceInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSurfaceInternalPE, L"QvDbEntityInternalPE")
