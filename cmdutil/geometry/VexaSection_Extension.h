#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of section objects (QvDbSection).
class VexaSection_Extension : public VexaEntity_Extension {};
