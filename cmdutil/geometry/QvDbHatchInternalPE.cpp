#include "cmdutil/geometry/QvDbHatchInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHatchInternalPE, L"QvDbEntityInternalPE")
