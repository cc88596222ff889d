#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGe.h"

class QvGeMatrix3d;

// Root of the 3D geometry entities. Kinds are told apart by type() and isKindOf(), which
// follow the kind tree of QvGe::EntityId (for example a QvGeLineSeg3d is a kLineSeg3d, a
// kLinearEnt3d, a kCurve3d and a kEntity3d).
class QvGeEntity3d {
 public:
  QvGeEntity3d() = default;
  QvGeEntity3d(const QvGeEntity3d&) = default;
  QvGeEntity3d& operator=(const QvGeEntity3d&) = default;
  virtual ~QvGeEntity3d() = default;

  virtual QvGe::EntityId type() const = 0;
  bool isKindOf(QvGe::EntityId kind) const { return QvGe::isKindOf(type(), kind); }
  // False when the entity was given data it cannot represent (zero vectors, degenerate arcs,
  // invalid knots or weights). An invalid entity answers every query without NaN and refuses
  // the operations that make new geometry from it.
  virtual bool isValid() const { return true; }
  // A new entity of the same kind; the caller deletes it.
  virtual QvGeEntity3d* copy() const = 0;
  // eOk, or eNotApplicable when this kind cannot take the matrix (for example a circular arc
  // under non-uniform scaling) or eDegenerateGeometry when the matrix collapses it, or
  // eInvalidInput for a matrix with a NaN or infinite entry; the entity is then unchanged.
  virtual Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) = 0;
};
