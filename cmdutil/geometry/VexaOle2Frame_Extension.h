#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of OLE frames (QvDbOle2Frame).
class VexaOle2Frame_Extension : public VexaEntity_Extension {};
