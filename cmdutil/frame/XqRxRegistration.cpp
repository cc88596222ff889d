#include "xqcmdutil/XqRxRegistration.h"

#include "sdk/rx/QvRxDictionary.h"

namespace XqRxRegistration {

QvRxClass* find(const wchar_t* name, Lookup how) {
  if (how == Lookup::kClassRegistry) return qvrxFindQvRxClass(name);
  const auto* classes = QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary));
  return classes ? QvRxClass::cast(classes->at(name)) : nullptr;
}

QvRxClass* desc(QvRxClass*& descriptor, const wchar_t* name, Lookup how) {
  if (!descriptor) descriptor = find(name, how);
  return descriptor;
}

bool mustRegister(QvRxClass* descriptor, const wchar_t* name, Lookup how,
                  const wchar_t* mismatchMessage) {
  if (!descriptor) return true;
  QvRxClass* found = find(name, how);
  if (!found) return true;
  if (found != descriptor) qvrx_abort(L"%ls", mismatchMessage);
  return false;
}

}  // namespace XqRxRegistration
