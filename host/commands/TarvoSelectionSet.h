#pragma once

#include <cstdint>
#include <vector>

#include "sdk/db/QvDbObjectId.h"

// A selection set of the classic interface, freed at the end of the scope.
class TarvoSelectionSet {
 public:
  TarvoSelectionSet() = default;
  TarvoSelectionSet(const TarvoSelectionSet&) = delete;
  TarvoSelectionSet& operator=(const TarvoSelectionSet&) = delete;
  ~TarvoSelectionSet();

  // Asks the selection question; the qvedSSGet code.
  int ask();
  // The ids of the selected objects, in selection order.
  std::vector<QvDbObjectId> ids() const;
  // The set's name for the classic interface ((0, 0) before a selection was made).
  const int64_t* name() const { return name_; }

 private:
  int64_t name_[2] = {0, 0};
  bool made_ = false;
};
