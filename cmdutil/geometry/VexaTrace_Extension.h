#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of traces (QvDbTrace).
class VexaTrace_Extension : public VexaEntity_Extension {};
