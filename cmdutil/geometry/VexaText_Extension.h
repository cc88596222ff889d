#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of texts (QvDbText).
class VexaText_Extension : public VexaEntity_Extension {};
