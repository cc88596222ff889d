#pragma once

#include <vector>

#include "sdk/db/QvDbLayerStates.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/render/QvGiTraitValues.h"

class QvGiSvgCanvas;

// A world draw that puts what drawables draw onto an SVG canvas, seen from above: every
// primitive is mapped by the model transforms in force and laid flat on the world XY plane.
//
// Colours are resolved as a drawing shows them: by layer takes the layer's colour, by block the
// colour of the block reference being drawn (colour 7 at the top), and an entity of a block on
// layer "0" takes the layer of the reference. Colour 7 is drawn black, on the white page.
// A nested drawable whose own layer is off or frozen, an entity made invisible, and the
// attribute definitions of a block drawn through a reference (but constant ones) draw nothing.
// Circles and arcs that stay round are drawn as circles and arcs; other conics (seen at a slant,
// scaled unevenly) as fine polylines.
class QvGiSvgWorldDraw : public QvGiWorldDraw, private QvGiGeometry {
 public:
  // `layerZeroId` is the drawing's layer "0".
  QvGiSvgWorldDraw(QvGiSvgCanvas& canvas, QvDbLayerStates& layers, QvDbObjectId layerZeroId);

  // Draws a drawable of the space (lets it set its traits first). False when it drew nothing
  // because it is invisible or its layer is off or frozen.
  bool drawTopLevel(QvGiDrawable* drawable);

  QvGiGeometry& geometry() const override;
  QvGiSubEntityTraits& subEntityTraits() const override;

 private:
  // What a drawable being drawn passes to what it draws: its colour and its layer, resolved.
  struct Frame {
    int colorIndex = 7;
    QvDbObjectId layerId;
  };

  void polyline(int numVertices, const QvGePoint3d* vertices,
                const QvGeVector3d* normal = nullptr) override;
  void circle(const QvGePoint3d& center, double radius, const QvGeVector3d& normal) override;
  void circularArc(const QvGePoint3d& center, double radius, const QvGeVector3d& normal,
                   const QvGeVector3d& startVector, double sweepAngle) override;
  void ellipticArc(const QvGeEllipArc3d& arc) override;
  void ray(const QvGePoint3d& basePoint, const QvGeVector3d& direction) override;
  void xline(const QvGePoint3d& point, const QvGeVector3d& direction) override;
  void text(const QvGePoint3d& position, const QvGeVector3d& normal, const QvGeVector3d& direction,
            double height, double widthFactor, double oblique, const QvString& text) override;
  void polygon(int numVertices, const QvGePoint3d* vertices) override;
  void polyPolygon(int numPolygons, const int* numVertices, const QvGePoint3d* vertices) override;
  void draw(QvGiDrawable* drawable) override;
  void pushModelTransform(const QvGeMatrix3d& matrix) override;
  void popModelTransform() override;

  // Draws a drawable with its own traits; false when it is hidden.
  bool drawNested(QvGiDrawable* drawable);
  // The conic center + cos t * u + sin t * v for t from `start` through `sweep` (model
  // coordinates), as the current transform and the plan view show it.
  void conic(const QvGePoint3d& center, const QvGeVector3d& u, const QvGeVector3d& v, double start,
             double sweep);
  // The layer the traits name, or the enclosing reference's for layer "0" inside a block.
  QvDbObjectId effectiveLayer(QvDbObjectId layerId) const;
  // The colour (0xRRGGBB) of the primitives drawn now.
  uint32_t currentRgb() const;
  const QvGeMatrix3d& current() const { return transforms_.back(); }

  QvGiSvgCanvas& canvas_;
  QvDbLayerStates& layers_;
  QvDbObjectId layerZeroId_;
  std::vector<QvGeMatrix3d> transforms_;
  std::vector<Frame> frames_;  // the drawables being drawn, the outermost first
  mutable QvGiTraitValues traits_;
};
