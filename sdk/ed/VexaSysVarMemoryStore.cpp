#include "sdk/ed/VexaSysVarMemoryStore.h"

#include "sdk/ed/VexaSysvarData.h"

std::optional<VexaSysVarValue> VexaSysVarMemoryStore::read(const VexaSysvarData& var) const {
  const auto it = values_.find(var.name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

Vexa::ErrorStatus VexaSysVarMemoryStore::write(const VexaSysvarData& var,
                                               const VexaSysVarValue& value) {
  values_[var.name] = value;
  return Vexa::eOk;
}
