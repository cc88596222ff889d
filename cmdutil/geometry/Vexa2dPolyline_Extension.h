#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of 2D polylines (QvDb2dPolyline).
class Vexa2dPolyline_Extension : public VexaCurve_Extension {};
