#pragma once

#include <optional>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/ed/VexaUcs.h"
#include "sdk/ge/QvGePoint3d.h"

// The UCS of an object, for the OBject option of the UCS command: the plane the object lies in,
// with its origin and X axis at a point and direction that belong to it.
class VexaObjectUcs {
 public:
  // Asks "Select object to align UCS: " (one answer of the selection question; a point picks
  // the entity under it) and works out the UCS of the first entity selected, near the point
  // when it was picked. kQvNormal with `ucs`; kQvCancel; kQvError when
  // nothing was selected or the entity defines no UCS (with a message).
  static int ask(std::optional<VexaUcs>& ucs);

  // The UCS of an entity: the aligned UCS source's when one is set and answers
  // (vexaSetAlignedUcsSource), asked with the pick point when there is one, else the host's
  // own; nothing for an entity that defines none.
  static std::optional<VexaUcs> of(QvDbObjectId entityId, const QvGePoint3d* pickPoint = nullptr);
};
