#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of block references (QvDbBlockReference).
class VexaBlockReference_Extension : public VexaEntity_Extension {};
