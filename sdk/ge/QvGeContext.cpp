#include "sdk/ge/QvGeContext.h"

QvGeTol QvGeContext::gTol{QvGeTol::kDefaultEqualPoint, QvGeTol::kDefaultEqualVector};
int QvGeContext::gIntersectionWorkLimit = kDefaultIntersectionWorkLimit;
