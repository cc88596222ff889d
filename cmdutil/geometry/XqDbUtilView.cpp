// XqDbUtil: the view direction of the current view.
#include <cstdlib>

#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqDbUtil.h"

Vexa::ErrorStatus XqDbUtil::getViewDirWcs(QvGeVector3d& viewDir) {
  resbuf rb{};
  if (qvedGetVar(L"VIEWDIR", &rb) != kQvNormal) return Vexa::eNotApplicable;
  if (rb.type != kRbPoint3d) {
    if (rb.type == kRbString) std::free(rb.value.string);  // a string value is the reader's
    return Vexa::eNotApplicable;
  }
  const QvGePoint3d ucsDir(rb.value.point[0], rb.value.point[1], rb.value.point[2]);
  QvGePoint3d worldDir;
  if (qvedTrans(ucsDir, kQvTransUcs, kQvTransWorld, true, worldDir) != kQvNormal)
    return Vexa::eNotApplicable;
  viewDir = worldDir.asVector();
  return Vexa::eOk;
}
