#pragma once

#include "sdk/db/QvDbUnderlayHost.h"

// The host's DGN format service: a DGN v7 design file, read through GDAL's DGN driver, is
// converted into a drawing database that its one item ("Default", the design model) holds.
// Each level becomes a layer "Level N"; lines become lines, line strings polylines, shapes
// closed polylines, circular arcs and circles arcs and circles (elliptical ones polylines), texts
// texts with their height and angle; a cell gives its members. Coordinates are the file's, in
// master units. A DGN v8 file is refused with eFileVersionNotSupported.
class VexaDgnUnderlayService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                            QvDbUnderlayFile*& file) const override;
};
