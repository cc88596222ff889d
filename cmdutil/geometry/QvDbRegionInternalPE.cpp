#include "cmdutil/geometry/QvDbRegionInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbRegionInternalPE, L"QvDbEntityInternalPE")
