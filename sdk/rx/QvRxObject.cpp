#include "sdk/rx/QvRxObject.h"

#include "sdk/rx/QvRxClass.h"

QvRxClass* QvRxObject::desc() {
  static QvRxClass* const descriptor = qvrxHostClass(L"QvRxObject");
  return descriptor;
}

QvRxClass* QvRxObject::isA() const { return QvRxObject::desc(); }

QvRxObject* QvRxObject::queryX(const QvRxClass* protocol) const {
  const QvRxClass* cls = isA();
  return cls ? cls->queryX(protocol) : nullptr;
}

QvRxObject* QvRxObject::clone() const { return nullptr; }

bool QvRxObject::copyFrom(const QvRxObject*) { return false; }

bool QvRxObject::isEqualTo(const QvRxObject* other) const { return other == this; }

QvRxObject::Ordering QvRxObject::comparedTo(const QvRxObject*) const {
  return Ordering::kNotOrderable;
}

bool QvRxObject::isKindOf(const QvRxClass* cls) const {
  const QvRxClass* mine = isA();
  return mine && cls && mine->isDerivedFrom(cls);
}
