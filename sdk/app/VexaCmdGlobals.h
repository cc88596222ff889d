#pragma once

#include <cstdint>

// What the host's commands share while the host runs.
struct VexaCmdGlobals {
  // 1 after a command looked for a drawing file and did not find it.
  uint8_t fileSearchFailed = 0;
};

// The running host's command globals; null when no host runs.
VexaCmdGlobals* vexaGetCmdGlobals();
