#include "cmdutil/geometry/QvDbEntityInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbEntityInternalPE, L"QvDbEntityInternalBasePE")
