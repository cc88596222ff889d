#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of multilines (QvDbMline).
class VexaMLine_Extension : public VexaCurve_Extension {};
