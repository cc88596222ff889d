#include "sdk/db/QvDbLayerStates.h"

#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"

const QvDbLayerStates::State& QvDbLayerStates::of(QvDbObjectId layerId) {
  const auto known = states_.find(layerId);
  if (known != states_.end()) return known->second;
  State state;
  QvDbObjectPointer<QvDbLayerTableRecord> layer(layerId, QvDb::kForRead);
  if (layer.openStatus() == Vexa::eOk) {
    state.off = layer->isOff();
    state.frozen = layer->isFrozen();
    state.locked = layer->isLocked();
    state.colorIndex = layer->colorIndex();
  }
  return states_.emplace(layerId, state).first->second;
}
