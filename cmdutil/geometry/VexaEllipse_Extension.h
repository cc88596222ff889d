#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of ellipses (QvDbEllipse).
class VexaEllipse_Extension : public VexaCurve_Extension {};
