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
  // Asks it for a command that needs objects: kQvNormal when some were selected, kQvCancel on a
  // cancel, else kQvNone after saying that nothing was selected.
  int askForCommand();
  // The ids of the selected objects, in selection order.
  std::vector<QvDbObjectId> ids() const;
  // The set's name for the classic interface ((0, 0) before a selection was made).
  const int64_t* name() const { return name_; }

 private:
  int64_t name_[2] = {0, 0};
  bool made_ = false;
};
