#pragma once

class QvGiGeometry;
class QvGiSubEntityTraits;

// What a drawable's worldDraw draws into: the geometry that takes the primitives and the traits
// the primitives that follow are drawn with.
class QvGiWorldDraw {
 public:
  virtual ~QvGiWorldDraw() = default;

  virtual QvGiGeometry& geometry() const = 0;
  virtual QvGiSubEntityTraits& subEntityTraits() const = 0;
  // True while the drawing is a drag preview.
  virtual bool isDragging() const { return false; }
  // True when the drawer wants the drawable to stop early.
  virtual bool regenAbort() const { return false; }
};
