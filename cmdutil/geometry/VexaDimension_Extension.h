#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of dimensions (QvDbDimension).
class VexaDimension_Extension : public VexaEntity_Extension {};
