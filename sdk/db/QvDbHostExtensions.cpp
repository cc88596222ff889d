#include "sdk/db/QvDbHostExtensions.h"

#include "sdk/db/QvDbAnnotativeObjectPE.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbPaperOrientationPE.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// The host classes whose objects can be annotative.
constexpr const wchar_t* kAnnotativeClasses[] = {
    L"QvDbBlockTableRecord",
    L"QvDbBlockReference",
    L"QvDbText",
    L"QvDbMText",
    L"QvDbDimension",
    L"QvDbLeader",
    L"QvDbMLeader",
    L"QvDbHatch",
    L"QvDbTextStyleTableRecord",
    L"QvDbDimStyleTableRecord",
};

template <class Extension>
void attach(QvRxClass* protocol) {
  for (const wchar_t* name : kAnnotativeClasses) {
    QvRxClass* cls = qvrxFindQvRxClass(name);
    if (cls && !cls->getX(protocol)) cls->addX(protocol, new Extension());
  }
}

// The host's extensions are there from the moment the SDK is loaded, as the host's own
// classes are.
const bool gAttachedAtLoad = (qvdbAttachHostExtensions(), true);

}  // namespace

void qvdbAttachHostExtensions() {
  static bool attached = false;
  if (attached) return;
  attached = true;
  attach<QvDbAnnotativeObjectPE>(qvrxHostClass(L"QvDbAnnotativeObjectPE"));
  attach<QvDbPaperOrientationPE>(qvrxHostClass(L"QvDbPaperOrientationPE"));
  attach<QvDbObjectContextInterface>(qvrxHostClass(L"QvDbObjectContextInterface"));
}
