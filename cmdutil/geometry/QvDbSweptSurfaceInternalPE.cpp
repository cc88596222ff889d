#include "cmdutil/geometry/QvDbSweptSurfaceInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSweptSurfaceInternalPE, L"QvDbEntityInternalPE")
