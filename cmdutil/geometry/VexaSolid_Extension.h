#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of 2D solids (QvDbSolid).
class VexaSolid_Extension : public VexaEntity_Extension {};
