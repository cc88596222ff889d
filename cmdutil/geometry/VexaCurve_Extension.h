#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The common base of the entity protocol extensions of curves.
class VexaCurve_Extension : public VexaEntity_Extension {};
