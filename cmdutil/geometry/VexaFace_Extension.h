#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of 3D faces (QvDbFace).
class VexaFace_Extension : public VexaEntity_Extension {};
