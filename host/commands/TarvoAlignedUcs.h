#pragma once

#include "sdk/ed/IVexaAlignedUcsSource.h"

// The aligned UCS the module's entity protocol extension gives an entity, offered to the host's
// UCS command (its OBject option) while the command module is loaded. Entities whose class
// has no extension, or whose extension does not answer, are left to the host.
class TarvoAlignedUcs final : public IVexaAlignedUcsSource {
 public:
  Vexa::ErrorStatus alignedUcs(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                               QvGeMatrix3d& ucs) override;
};
