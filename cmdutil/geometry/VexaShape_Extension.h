#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of shapes (QvDbShape).
class VexaShape_Extension : public VexaEntity_Extension {};
