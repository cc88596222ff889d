#include "host/commands/TarvoCommandTable.h"

#include <array>

namespace {

// The module's commands arrive with the parts of XqCmdUtil they call.
constexpr std::array<TarvoCommandEntry, 0> kCommands{};

}  // namespace

std::span<const TarvoCommandEntry> tarvoCommandTable() {
  return kCommands;
}
