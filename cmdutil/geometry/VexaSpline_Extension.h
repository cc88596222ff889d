#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of splines (QvDbSpline).
class VexaSpline_Extension : public VexaCurve_Extension {};
