#pragma once

#include <map>
#include <string>

#include "sdk/ed/VexaSysVarStore.h"

// A store that keeps values in memory, by variable name.
class VexaSysVarMemoryStore : public VexaSysVarStore {
 public:
  std::optional<VexaSysVarValue> read(const VexaSysvarData& var) const override;
  Vexa::ErrorStatus write(const VexaSysvarData& var, const VexaSysVarValue& value) override;
  // Forgets every value, so the table defaults apply again.
  void clear() { values_.clear(); }

 private:
  std::map<std::wstring, VexaSysVarValue> values_;
};
