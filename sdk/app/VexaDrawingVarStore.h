#pragma once

#include "sdk/ed/VexaSysVarStore.h"

// The store of per-drawing system variables that the document manager installs in the
// variable service: values are read from and written to the header of the working database
// (QvDbDatabase::getSystemVariable and setSystemVariable). Without a working database nothing
// is stored: reads give the table defaults and writes are refused (eNoDatabase).
class VexaDrawingVarStore : public VexaSysVarStore {
 public:
  std::optional<VexaSysVarValue> read(const VexaSysvarData& var) const override;
  Vexa::ErrorStatus write(const VexaSysvarData& var, const VexaSysVarValue& value) override;
};
