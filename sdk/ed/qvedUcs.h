#pragma once

#include <cstdint>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/resbuf.h"

class QvGeMatrix3d;
class QvGePoint3d;

// Coordinate systems of qvedTrans, given as kRbShort result buffers.
inline constexpr int16_t kQvTransWorld = 0;
inline constexpr int16_t kQvTransUcs = 1;

// Carries `point` (three doubles) from one coordinate system to another. A system is a
// kRbShort buffer holding kQvTransWorld or kQvTransUcs (the current UCS of "UCSORG",
// "UCSXDIR", "UCSYDIR"), or a kRbPoint3d buffer holding an extrusion direction: the object
// coordinate system of that normal (the arbitrary-axis frame of QvGePlane). A non-zero
// `displacement` carries a vector (no origin). Returns kQvNormal; kQvError for a null
// argument, another system, a zero extrusion or no running host. `result` may be `point`.
int qvedTrans(const double* point, const resbuf* from, const resbuf* to, int displacement,
              double* result);
// The same for the world and the current UCS given as numbers.
int qvedTrans(const QvGePoint3d& point, int16_t from, int16_t to, bool displacement,
              QvGePoint3d& result);

// The matrix of the current UCS: it carries UCS coordinates to world coordinates (columns X,
// Y and Z axis and origin). eNotApplicable when no host runs.
Vexa::ErrorStatus qvedGetCurrentUCS(QvGeMatrix3d& ucsToWorld);
// Makes the UCS of a matrix of that form current. The axes must be unit vectors at right
// angles with Z = X x Y (within QvGePrecision::kRelative); otherwise eInvalidInput and nothing
// changes.
Vexa::ErrorStatus qvedSetCurrentUCS(const QvGeMatrix3d& ucsToWorld);
