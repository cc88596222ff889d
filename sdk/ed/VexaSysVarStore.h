#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ed/VexaSysVarValue.h"

struct VexaSysvarData;

// Where the values of system variables are kept. The variable service checks names, types,
// ranges and read-only flags before it writes, so a store only keeps values. The service keeps
// session variables in a store of its own; per-drawing variables go to the drawing store, which
// the drawing database can replace with one backed by its header
// (VexaSysVarService::setDrawingStore).
class VexaSysVarStore {
 public:
  virtual ~VexaSysVarStore() = default;

  // The stored value of `var`; nothing when the store holds none (the table default applies).
  virtual std::optional<VexaSysVarValue> read(const VexaSysvarData& var) const = 0;
  // Keeps `value` (of the variable's type) for `var`. A non-zero status refuses the change.
  virtual Vexa::ErrorStatus write(const VexaSysvarData& var, const VexaSysVarValue& value) = 0;
};
