#pragma once

#include <span>

class IVexaBuildInCommandContext;

// One command of the module: its name and the function that runs it (see VexaCommandStack for
// what it answers).
struct TarvoCommandEntry {
  const wchar_t* name;
  int (*function)(IVexaBuildInCommandContext& context);
};

// The commands the module adds, in the order they are registered. Each command that calls the
// module XqCmdUtil fills its request records and calls its exported functions, as the real
// host's command modules do.
std::span<const TarvoCommandEntry> tarvoCommandTable();
