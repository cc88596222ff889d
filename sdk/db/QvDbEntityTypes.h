#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDb.h"

// Enumerations and array types of the entity classes (QvDb::Intersect is in QvDb.h: an
// extended curve runs on along its carrier, a line both ways, an arc round its circle, an
// open polyline along its end segments; closed curves and entities that are not curves stay
// as they are).
namespace QvDb {

enum Visibility { kVisible = 0, kInvisible = 1 };

// What getPlane found: no plane, a plane, or a straight line (the plane then is one of those
// holding it).
enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };

// The object snap a grip point answers to.
enum OsnapMode {
  kOsModeEnd = 1,
  kOsModeMid = 2,
  kOsModeCen = 3,
  kOsModeNode = 4,
  kOsModeQuad = 5,
  kOsModeIns = 7,
};

}  // namespace QvDb

using QvDbIntArray = QvArray<int>;
