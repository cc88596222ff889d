#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/rx/QvRxObject.h"

class QvDbObject;

// The host's paper-orientation protocol extension (annotative objects that keep their
// orientation to the sheet), attached to the same classes as QvDbAnnotativeObjectPE. The
// setting lives in the extended data of "AcadAnnoPO": 1070 flag.
class QvDbPaperOrientationPE : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvDbPaperOrientationPE);

  virtual bool paperOrientation(const QvDbObject* obj) const;
  virtual Vexa::ErrorStatus setPaperOrientation(QvDbObject* obj, bool on) const;
};
