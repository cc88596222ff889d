#include "tests/support/XqCmdUtilClassTable.h"

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDictionary.h"

namespace XqCmdUtilClassTable {

int attachedExtensionCount() {
  const auto* classes = QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary));
  int count = 0;
  for (const std::wstring& name : classes->keys())
    if (const QvRxClass* cls = QvRxClass::cast(classes->at(name.c_str())))
      count += cls->extensionCount();
  return count;
}

}  // namespace XqCmdUtilClassTable
