#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/rx/QvRxObject.h"

class QvDbObject;

// The host's annotative protocol extension, attached to the classes whose objects can be
// annotative (block definitions and references, texts, dimensions, leaders, hatches, text
// and dimension styles): "the object answers QvDbAnnotativeObjectPE" is
// obj->queryX(QvDbAnnotativeObjectPE::desc()) != null. The setting lives in the object's
// extended data of "AcadAnnotative": 1000 "AnnotativeData", 1002 "{", 1070 1, 1070 flag,
// 1002 "}".
class QvDbAnnotativeObjectPE : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvDbAnnotativeObjectPE);

  // False for a null object or one without the setting.
  virtual bool annotative(const QvDbObject* obj) const;
  // The object must be open for write; in a database "AcadAnnotative" is registered first
  // when it is not.
  virtual Vexa::ErrorStatus setAnnotative(QvDbObject* obj, bool on) const;
};
