#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of lines (QvDbLine).
class VexaLine_Extension : public VexaCurve_Extension {};
