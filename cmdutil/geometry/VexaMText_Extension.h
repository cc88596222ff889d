#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of multiline texts (QvDbMText).
class VexaMText_Extension : public VexaEntity_Extension {};
