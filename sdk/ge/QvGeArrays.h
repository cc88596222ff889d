#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector2d.h"
#include "sdk/ge/QvGeVector3d.h"

// The array types of the geometry library.
using QvGeDoubleArray = QvArray<double>;
using QvGePoint2dArray = QvArray<QvGePoint2d>;
using QvGePoint3dArray = QvArray<QvGePoint3d>;
using QvGeVector2dArray = QvArray<QvGeVector2d>;
using QvGeVector3dArray = QvArray<QvGeVector3d>;
