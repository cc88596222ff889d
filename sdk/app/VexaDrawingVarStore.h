#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sdk/ed/VexaSysVarStore.h"

class QvDbDatabase;
class QvDbHeaderValue;

// The store of per-drawing system variables that the document manager installs in the
// variable service: values are read from and written to the header of the working database
// (QvDbDatabase::getSystemVariable and setSystemVariable). Without a working database nothing
// is stored: reads give the table defaults and writes are refused (eNoDatabase).
class VexaDrawingVarStore : public VexaSysVarStore {
 public:
  std::optional<VexaSysVarValue> read(const VexaSysvarData& var) const override;
  Vexa::ErrorStatus write(const VexaSysvarData& var, const VexaSysVarValue& value) override;

 private:
  // Where the header of `db` keeps a variable of the host's table; null for one it does not
  // keep there. Found once for each arrangement of the header (QvDbHeader::placesRevision), as
  // reads are many and the header rarely gains a variable.
  const QvDbHeaderValue* headerPlace(const QvDbDatabase& db, const VexaSysvarData& var) const;

  // By the variable's place in the table; nothing until looked up.
  mutable std::uint64_t placesRevision_ = 0;
  mutable std::vector<std::optional<const QvDbHeaderValue*>> places_;
};
