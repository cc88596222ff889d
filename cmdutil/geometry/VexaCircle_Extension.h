#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of circles (QvDbCircle).
class VexaCircle_Extension : public VexaCurve_Extension {};
