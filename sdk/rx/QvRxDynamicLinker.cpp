#include "sdk/rx/QvRxDynamicLinker.h"

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDictionary.h"

QVRX_DEFINE_HOST_MEMBERS(QvRxDynamicLinker)

QvRxDynamicLinker* qvrxDynamicLinker() {
  return QvRxDynamicLinker::cast(qvrxSysRegistry()->at(kQvRxDynamicLinker));
}
