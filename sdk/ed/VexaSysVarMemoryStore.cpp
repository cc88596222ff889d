#include "sdk/ed/VexaSysVarMemoryStore.h"

#include <string_view>

#include "sdk/ed/VexaSysvarData.h"

std::optional<VexaSysVarValue> VexaSysVarMemoryStore::read(const VexaSysvarData& var) const {
  const auto it = values_.find(std::wstring_view(var.name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

Vexa::ErrorStatus VexaSysVarMemoryStore::write(const VexaSysvarData& var,
                                               const VexaSysVarValue& value) {
  const auto it = values_.find(std::wstring_view(var.name));
  if (it != values_.end())
    it->second = value;
  else
    values_.emplace(var.name, value);
  return Vexa::eOk;
}
