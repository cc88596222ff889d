#include "cmdutil/geometry/VexaEntity_Extension.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(VexaEntity_Extension, L"VexaEntityPE")
