#include "sdk/db/QvDbProxyObject.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbProxyObject)

const QvDbProxyClass& QvDbProxyObject::originalClass() const {
  assertReadEnabled();
  return original_;
}

Vexa::ErrorStatus QvDbProxyObject::setOriginalClass(const QvDbProxyClass& original) {
  if (original.dxfName.isEmpty()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  original_ = original;
  return Vexa::eOk;
}
