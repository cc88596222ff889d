#pragma once

#include "sdk/ed/IVexaBuildInCommandContext.h"

// The context of a command the host runs from its command line.
class VexaBuildInCommandContext : public IVexaBuildInCommandContext {
 public:
  // Names may hold blanks when the drawing allows extended names ("EXTNAMES" not 0); not when
  // it does not, the variable cannot be read, or no host runs.
  bool isSpaceAllowedInNames() const override;
};
