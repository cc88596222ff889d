#pragma once

#include <cstdint>
#include <unordered_map>

#include "sdk/db/QvDbObjectId.h"

// The states of layers, read once per layer: whether what lies on a layer is shown (the layer
// is neither off nor frozen), can be selected at all (not frozen) and may be changed (not
// locked). A layer that cannot be read (a null id, an erased record) counts as a plain layer.
class QvDbLayerStates {
 public:
  struct State {
    bool off = false;
    bool frozen = false;
    bool locked = false;
    int16_t colorIndex = 7;  // 1 to 255

    bool isShown() const { return !off && !frozen; }
  };

  const State& of(QvDbObjectId layerId);

 private:
  std::unordered_map<QvDbObjectId, State> states_;
};
