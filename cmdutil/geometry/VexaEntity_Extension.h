#pragma once

#include "xqcmdutil/VexaEntityPE.h"

// The runtime class of every entity protocol extension object: the concrete extensions
// declare no runtime class of their own, so their isA() is this class's descriptor.
class VexaEntity_Extension : public VexaEntityPE {
 public:
  XQRX_DECLARE_MEMBERS(VexaEntity_Extension);
};
