#include "sdk/db/QvDbAnnotativeObjectPE.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostExtensions.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/rx/QvRxClass.h"

namespace {
constexpr const wchar_t* kApplication = L"AcadAnnotative";
}

QvRxClass* QvDbAnnotativeObjectPE::desc() {
  static QvRxClass* const descriptor = qvrxHostClass(L"QvDbAnnotativeObjectPE");
  qvdbAttachHostExtensions();
  return descriptor;
}

QvRxClass* QvDbAnnotativeObjectPE::isA() const {
  return desc();
}

bool QvDbAnnotativeObjectPE::annotative(const QvDbObject* obj) const {
  if (!obj) return false;
  QvRbListPtr data(obj->xData(kApplication));
  // The flag is the fifth record: the second 1070.
  const resbuf* rb = data.get();
  for (int i = 0; rb && i < 4; ++i) rb = rb->next;
  return rb && rb->type == kGcXDataShort && rb->value.int16 == 1;
}

Vexa::ErrorStatus QvDbAnnotativeObjectPE::setAnnotative(QvDbObject* obj, bool on) const {
  if (!obj) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = obj->assertWriteEnabled(false, false); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es =
          obj->database() ? obj->database()->registerApplication(kApplication) : Vexa::eOk;
      es != Vexa::eOk)
    return es;
  QvRbListPtr data(qvutBuildList(kGcXDataAppName, kApplication, kGcXDataString, L"AnnotativeData",
                                 kGcXDataControl, L"{", kGcXDataShort, 1, kGcXDataShort, on ? 1 : 0,
                                 kGcXDataControl, L"}", 0));
  return obj->setXData(data.get());
}
