#include "cmdutil/geometry/QvDb3dSolidInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb3dSolidInternalPE, L"QvDbEntityInternalPE")
