#include "xqcmdutil/XqObjectAnnotation.h"

#include "sdk/db/QvDbAnnotativeObjectPE.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbPaperOrientationPE.h"

namespace {

template <class Extension>
const Extension* extensionOf(const QvDbObject* obj) {
  return obj ? Extension::cast(obj->queryX(Extension::desc())) : nullptr;
}

}  // namespace

bool IsObjectAnnotative(const QvDbObject* obj) {
  const auto* pe = extensionOf<QvDbAnnotativeObjectPE>(obj);
  return pe && pe->annotative(obj);
}

bool IsObjectPaperOrientation(const QvDbObject* obj) {
  const auto* pe = extensionOf<QvDbPaperOrientationPE>(obj);
  return pe && pe->paperOrientation(obj);
}

Vexa::ErrorStatus SetObjectAnnotative(QvDbObject* obj, bool on) {
  if (!obj) return Vexa::eNullPtr;
  const auto* pe = extensionOf<QvDbAnnotativeObjectPE>(obj);
  if (!pe) return Vexa::eNotApplicable;
  if (pe->annotative(obj) == on) return Vexa::eOk;
  return pe->setAnnotative(obj, on);
}

Vexa::ErrorStatus SetObjectPaperOrientation(QvDbObject* obj, bool on) {
  if (!obj) return Vexa::eNullPtr;
  const auto* pe = extensionOf<QvDbPaperOrientationPE>(obj);
  if (!pe) return Vexa::eNotApplicable;
  if (pe->paperOrientation(obj) == on) return Vexa::eOk;
  return pe->setPaperOrientation(obj, on);
}
