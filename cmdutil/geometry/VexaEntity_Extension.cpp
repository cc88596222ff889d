#include "cmdutil/geometry/VexaEntity_Extension.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(VexaEntity_Extension, L"VexaEntityPE")
