#pragma once

#include <cstdint>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/gi/QvGiSubEntityTraits.h"

// The traits a world draw keeps while it draws: plain values, copied to save and restore them
// around a nested drawable. A fresh set draws by layer, on no layer, not filled, unmarked.
class QvGiTraitValues final : public QvGiDrawableTraits {
 public:
  uint16_t color() const override { return color_; }
  void setColor(uint16_t color) override { color_ = color; }
  QvDbObjectId layerId() const override { return layer_; }
  void setLayer(QvDbObjectId layerId) override { layer_ = layerId; }
  QvDbObjectId lineTypeId() const override { return linetype_; }
  void setLineType(QvDbObjectId linetypeId) override { linetype_ = linetypeId; }
  double lineTypeScale() const override { return linetypeScale_; }
  void setLineTypeScale(double scale) override { linetypeScale_ = scale; }
  FillType fillType() const override { return fill_; }
  void setFillType(FillType fill) override { fill_ = fill; }
  int64_t selectionMarker() const override { return marker_; }
  void setSelectionMarker(int64_t marker) override { marker_ = marker; }

 private:
  uint16_t color_ = 256;
  QvDbObjectId layer_;
  QvDbObjectId linetype_;
  double linetypeScale_ = 1.0;
  FillType fill_ = kFillNever;
  int64_t marker_ = 0;
};
