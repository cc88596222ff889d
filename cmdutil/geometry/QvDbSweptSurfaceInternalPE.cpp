#include "cmdutil/geometry/QvDbSweptSurfaceInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSweptSurfaceInternalPE, L"QvDbEntityInternalPE")
