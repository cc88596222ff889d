#pragma once

#include <cstdint>

class QvDbObjectId;

// The properties the following primitives are drawn with: colour index (0 by block, 256 by
// layer), layer, linetype and its scale, the fill of closed primitives, and the selection
// marker that names the sub-entity (segment) a primitive belongs to (0: none). Each world draw
// keeps its own (QvGiTraitValues, sdk/render).
class QvGiSubEntityTraits {
 public:
  enum FillType { kFillAlways = 1, kFillNever = 2 };

  virtual ~QvGiSubEntityTraits() = default;

  virtual uint16_t color() const = 0;
  virtual void setColor(uint16_t color) = 0;
  virtual QvDbObjectId layerId() const = 0;
  virtual void setLayer(QvDbObjectId layerId) = 0;
  virtual QvDbObjectId lineTypeId() const = 0;
  virtual void setLineType(QvDbObjectId linetypeId) = 0;
  virtual double lineTypeScale() const = 0;
  virtual void setLineTypeScale(double scale) = 0;
  virtual FillType fillType() const = 0;
  virtual void setFillType(FillType fill) = 0;
  virtual int64_t selectionMarker() const = 0;
  virtual void setSelectionMarker(int64_t marker) = 0;
};

// The traits a drawable sets for itself before it draws (QvGiDrawable::setAttributes).
class QvGiDrawableTraits : public QvGiSubEntityTraits {};
