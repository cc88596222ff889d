#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/rx/QvRxObject.h"

class QvDbObject;
class QvDbObjectContext;

// The host's interface that gives an object contexts (annotation scales) in which it is
// shown, reached as a protocol extension of the annotative classes:
// QvDbObjectContextInterface::cast(obj->queryX(QvDbObjectContextInterface::desc())).
// The contexts of an object are kept by name in its extension dictionary (an extended record
// under "ACDB_ANNOTATIONSCALES"); a scale must be in the object's drawing's scale list. An
// object outside a database (a drag's preview) takes scales of the working drawing's list,
// kept by the host while the object lives; they do not follow it into a database.
class QvDbObjectContextInterface : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvDbObjectContextInterface);

  virtual bool supportsCollection(const QvDbObject* obj, const wchar_t* collectionName) const;
  virtual bool hasContext(const QvDbObject* obj, const QvDbObjectContext& context) const;
  // The object must be open for write; eKeyNotFound for a scale the drawing lacks,
  // eNotApplicable for another collection, eNotInDatabase outside a database without a working
  // drawing. Adding a context it has changes nothing.
  virtual Vexa::ErrorStatus addContext(QvDbObject* obj, const QvDbObjectContext& context) const;
  virtual Vexa::ErrorStatus removeContext(QvDbObject* obj, const QvDbObjectContext& context) const;
  // The names of the object's contexts, in the order added.
  virtual QvArray<QvString> contextNames(const QvDbObject* obj) const;
};
