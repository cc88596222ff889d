#include "sdk/db/QvDbPaperOrientationPE.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostExtensions.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/rx/QvRxClass.h"

namespace {
constexpr const wchar_t* kApplication = L"AcadAnnoPO";
}

QvRxClass* QvDbPaperOrientationPE::desc() {
  static QvRxClass* const descriptor = qvrxHostClass(L"QvDbPaperOrientationPE");
  qvdbAttachHostExtensions();
  return descriptor;
}

QvRxClass* QvDbPaperOrientationPE::isA() const {
  return desc();
}

bool QvDbPaperOrientationPE::paperOrientation(const QvDbObject* obj) const {
  if (!obj) return false;
  QvRbListPtr data(obj->xData(kApplication));
  const resbuf* flag = data ? data->next : nullptr;
  return flag && flag->type == kGcXDataShort && flag->value.int16 == 1;
}

Vexa::ErrorStatus QvDbPaperOrientationPE::setPaperOrientation(QvDbObject* obj, bool on) const {
  if (!obj) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = obj->assertWriteEnabled(false, false); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es =
          obj->database() ? obj->database()->registerApplication(kApplication) : Vexa::eOk;
      es != Vexa::eOk)
    return es;
  QvRbListPtr data(qvutBuildList(kGcXDataAppName, kApplication, kGcXDataShort, on ? 1 : 0, 0));
  return obj->setXData(data.get());
}
