#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of hatches (QvDbHatch).
class VexaHatch_Extension : public VexaEntity_Extension {};
