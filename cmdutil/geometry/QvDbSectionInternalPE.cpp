#include "cmdutil/geometry/QvDbSectionInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSectionInternalPE, L"QvDbEntityInternalPE")
