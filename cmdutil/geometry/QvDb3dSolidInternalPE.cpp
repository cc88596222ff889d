#include "cmdutil/geometry/QvDb3dSolidInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb3dSolidInternalPE, L"QvDbEntityInternalPE")
