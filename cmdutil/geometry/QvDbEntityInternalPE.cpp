#include "cmdutil/geometry/QvDbEntityInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbEntityInternalPE, L"QvDbEntityInternalBasePE")
