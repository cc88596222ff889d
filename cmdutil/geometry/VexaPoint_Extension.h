#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of points (QvDbPoint).
class VexaPoint_Extension : public VexaEntity_Extension {};
