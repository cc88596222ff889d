#include "cmdutil/geometry/QvDbSurfaceInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSurfaceInternalPE, L"QvDbEntityInternalPE")
