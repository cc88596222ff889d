#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of lightweight polylines (QvDbPolyline).
class VexaPolyline_Extension : public VexaCurve_Extension {};
