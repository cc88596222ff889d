#pragma once

#include "sdk/ge/QvGeScale3d.h"

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

// The rotation of the current UCS's X axis about its Z axis ("UCSXDIR", "UCSYDIR").
double ucsRotation();

// The reference (open for write) takes `angle` plus the UCS rotation.
void setRotationWithUCS(QvDbBlockReference* reference, double angle);
// The reference takes `scale` under the uniform rule, times the unit factor of its
// definition; nothing happens when the definition does not open.
void setScaleFactorsWithCheck(QvDbBlockReference* reference, const QvGeScale3d& scale);
// The same with the array preview's unit factor.
void setArrayScaleFactors(QvDbBlockReference* reference, const QvGeScale3d& scale);

}  // namespace XqInsertScaling
