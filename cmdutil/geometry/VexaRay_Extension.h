#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of rays (QvDbRay).
class VexaRay_Extension : public VexaCurve_Extension {};
