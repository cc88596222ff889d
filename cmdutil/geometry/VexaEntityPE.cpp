#include "xqcmdutil/VexaEntityPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(VexaEntityPE, L"QvRxObject")

VexaEntityPE::VexaEntityPE() = default;

VexaEntityPE::VexaEntityPE(const VexaEntityPE& other) = default;

VexaEntityPE& VexaEntityPE::operator=(const VexaEntityPE& other) = default;

VexaEntityPE::~VexaEntityPE() = default;
