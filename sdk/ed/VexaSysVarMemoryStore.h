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
  // Looked up by the table's name without making a string of it.
  std::map<std::wstring, VexaSysVarValue, std::less<>> values_;
};
