#include "cmdutil/geometry/QvDbRegionInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbRegionInternalPE, L"QvDbEntityInternalPE")
