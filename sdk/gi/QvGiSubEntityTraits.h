#pragma once

#include <cstdint>

#include "sdk/db/QvDbObjectId.h"

// The properties the following primitives are drawn with: colour index (0 by block, 256 by
// layer), layer, linetype and its scale, the fill of closed primitives, and the selection
// marker that names the sub-entity (segment) a primitive belongs to (0: none).
class QvGiSubEntityTraits {
 public:
  enum FillType { kFillAlways = 1, kFillNever = 2 };

  virtual ~QvGiSubEntityTraits() = default;

  uint16_t color() const { return color_; }
  void setColor(uint16_t color) { color_ = color; }
  QvDbObjectId layerId() const { return layer_; }
  void setLayer(QvDbObjectId layerId) { layer_ = layerId; }
  QvDbObjectId lineTypeId() const { return linetype_; }
  void setLineType(QvDbObjectId linetypeId) { linetype_ = linetypeId; }
  double lineTypeScale() const { return linetypeScale_; }
  void setLineTypeScale(double scale) { linetypeScale_ = scale; }
  FillType fillType() const { return fill_; }
  void setFillType(FillType fill) { fill_ = fill; }
  int64_t selectionMarker() const { return marker_; }
  void setSelectionMarker(int64_t marker) { marker_ = marker; }

 private:
  uint16_t color_ = 256;
  QvDbObjectId layer_;
  QvDbObjectId linetype_;
  double linetypeScale_ = 1.0;
  FillType fill_ = kFillNever;
  int64_t marker_ = 0;
};

// The traits a drawable sets for itself before it draws (QvGiDrawable::setAttributes).
class QvGiDrawableTraits : public QvGiSubEntityTraits {};
