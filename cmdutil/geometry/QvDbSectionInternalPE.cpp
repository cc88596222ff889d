#include "cmdutil/geometry/QvDbSectionInternalPE.h"

#include "cmdutil/frame/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSectionInternalPE, L"QvDbEntityInternalPE")
