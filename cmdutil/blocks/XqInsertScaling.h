#pragma once

#include <optional>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbBlockReference;
class QvDbBlockTableRecord;

// How references are placed by the insert engine, the jigs and their previews.
namespace XqInsertScaling {

// The factor that turns the definition's insertion units into the drawing's ("INSUNITS", 1
// when unreadable): 1.0 when the host says its references ignore units, else the classic
// conversion (defaults for unitless sides, 1.0 when anything fails).
double unitFactor(const QvDbBlockTableRecord& block);
// The same for the array preview: converted only when the units differ from "INSUNITS",
// straight through the host's conversion, without defaults.
double arrayUnitFactor(const QvDbBlockTableRecord& block);

// Y and Z take X when the definition scales uniformly.
QvGeScale3d uniformRule(const QvDbBlockTableRecord& block, const QvGeScale3d& scale);

// How a definition scales its references, read once: the unit factor (the array preview's
// with `array`) and the uniform rule.
struct DefinitionScaling {
  // Nothing when the definition does not open.
  static std::optional<DefinitionScaling> of(QvDbObjectId block, bool array);
  // `scale` under the uniform rule, times the unit factor.
  QvGeScale3d applied(const QvGeScale3d& scale) const;

  double factor = 1.0;
  bool uniform = false;
};

// The axes of the current UCS, read once for everything a placement derives from them.
struct UcsAxes {
  // "UCSXDIR" and "UCSYDIR"; each empty when unreadable.
  static UcsAxes current();
  // The UCS's Z axis; the world's when an axis is unreadable or the two are parallel.
  QvGeVector3d extrusion() const;
  // The rotation of the X axis about the Z axis (the world's axes stand in for unreadable ones).
  double rotation() const;

  std::optional<QvGeVector3d> x, y;
};

// The rotation of the current UCS's X axis about its Z axis ("UCSXDIR", "UCSYDIR").
double ucsRotation();

// The reference (open for write) takes `angle` plus the UCS rotation.
void setRotationWithUCS(QvDbBlockReference* reference, double angle);
// The reference takes `scale` under the uniform rule, times the unit factor of its
// definition; nothing happens when the definition does not open.
void setScaleFactorsWithCheck(QvDbBlockReference* reference, const QvGeScale3d& scale);

}  // namespace XqInsertScaling
