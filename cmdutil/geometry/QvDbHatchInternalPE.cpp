#include "cmdutil/geometry/QvDbHatchInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHatchInternalPE, L"QvDbEntityInternalPE")
