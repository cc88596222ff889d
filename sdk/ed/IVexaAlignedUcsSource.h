#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbEntity;

// A source of user coordinate systems aligned with entities, which a loaded module may offer
// the UCS command: its OBject option asks the source first and uses the host's own rule when
// no source is set or the source does not answer for the entity.
class IVexaAlignedUcsSource {
 public:
  // The UCS aligned with `entity` (open for read) near `pickPoint` (may be null), written into
  // `ucs`, which holds the current UCS when asked; eOk when it answers.
  virtual Vexa::ErrorStatus alignedUcs(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                                       QvGeMatrix3d& ucs) = 0;

 protected:
  ~IVexaAlignedUcsSource() = default;
};

// Sets the running host's source (null takes it away) and answers the one set before; null
// and nothing set when no host runs.
IVexaAlignedUcsSource* vexaSetAlignedUcsSource(IVexaAlignedUcsSource* source);
