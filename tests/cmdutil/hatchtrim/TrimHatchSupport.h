#pragma once

#include <string>
#include <vector>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePlane.h"

class QvDbDatabase;

// Opens the cutters (any entity, typed as a curve) and the hatch of `db`, and trims the hatch
// with them; what TrimHatch answers. TrimHatch closes the cutters.
bool trimHatch(QvDbDatabase* db, QvDbObjectId hatchId, const std::vector<QvDbObjectId>& cutterIds,
               int mode = 0, const QvGePlane& plane = QvGePlane());

// Everything a saved hatch keeps of its loops, exactly (17 digits): loop types, edges, the
// associated objects, seeds and area.
std::string describeHatch(QvDbObjectId hatchId);
