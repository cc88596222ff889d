#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of arcs (QvDbArc).
class VexaArc_Extension : public VexaCurve_Extension {};
