#include "host/commands/TarvoTrimHatchCommand.h"

#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/CTrimHatch.h"

namespace {

// The view direction (VIEWDIR), +Z when it cannot be read.
QvGeVector3d viewDirection() {
  resbuf var{};
  if (qvedGetVar(L"VIEWDIR", &var) != kQvNormal || var.type != kRbPoint3d)
    return QvGeVector3d::kZAxis;
  const QvGeVector3d d(var.value.point[0], var.value.point[1], var.value.point[2]);
  return d.isZeroLength() ? QvGeVector3d::kZAxis : d;
}

QvString counted(int n, const wchar_t* one, const wchar_t* many) {
  return QvString::format(L"%d %s", n, n == 1 ? one : many);
}

}  // namespace

int TarvoTrimHatchCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoCommandInput::say(L"\nSelect the hatch: ");
  TarvoSelectionSet hatchSet;
  int code = hatchSet.ask();
  if (code == kQvCancel) return kQvCancel;
  QvDbObjectId hatchId;
  for (const QvDbObjectId& id : hatchSet.ids())
    if (id.objectClass() && id.objectClass()->isDerivedFrom(QvDbHatch::desc())) {
      hatchId = id;
      break;
    }
  if (hatchId.isNull()) {
    TarvoCommandInput::say(L"\nNo hatch selected.");
    return kQvNone;
  }
  TarvoCommandInput::say(L"\nSelect cutting objects: ");
  TarvoSelectionSet cutterSet;
  code = cutterSet.ask();
  if (code == kQvCancel) return kQvCancel;
  std::vector<QvDbObjectId> cutterIds;
  for (const QvDbObjectId& id : cutterSet.ids())
    if (id != hatchId) cutterIds.push_back(id);
  if (cutterIds.empty()) {
    TarvoCommandInput::say(L"\nNo cutting objects selected.");
    return kQvNone;
  }
  qvedInitGet(0, L"No View Ucs");
  QvString keyword;
  code = qvedGetKword(L"\nProject the cutting objects? [No/View/Ucs] <No>: ", keyword);
  if (code != kQvNormal && code != kQvNone) return kQvCancel;
  int mode = 0;
  QvGeVector3d direction = QvGeVector3d::kZAxis;
  if (code == kQvNormal && keyword == L"View") {
    mode = 1;
    direction = viewDirection();
  } else if (code == kQvNormal && keyword == L"Ucs") {
    mode = 2;
    direction = TarvoCommandInput::ucsNormal();
  }

  QvDbObjectPointer<QvDbHatch> hatch(hatchId, QvDb::kForWrite);
  if (hatch.openStatus() != Vexa::eOk) {
    TarvoCommandInput::say(L"\nThe hatch cannot be changed.");
    return kQvError;
  }
  const int loopsBefore = hatch->numLoops();
  // The cutting objects are opened here; TrimHatch closes them.
  QvArray<QvDbCurve*> cutters;
  for (const QvDbObjectId& id : cutterIds) {
    QvDbEntity* entity = nullptr;
    if (qvdbOpenObject(entity, id, QvDb::kForRead) == Vexa::eOk)
      // The host's array types every cutter as a curve; TrimHatch uses it as an entity.
      cutters.append(reinterpret_cast<QvDbCurve*>(entity));
  }
  const bool changed = CTrimHatch::TrimHatch(hatch->database(), cutters, hatch.object(), mode,
                                             QvGePlane(QvGePoint3d::kOrigin, direction));
  const int loopsAfter = hatch->numLoops();
  if (!changed) {
    TarvoCommandInput::say(L"\nThe hatch did not change.");
    return kQvNone;
  }
  TarvoCommandInput::say(QvString::format(L"\nThe hatch had %s; it now has %s.",
                                          counted(loopsBefore, L"loop", L"loops").c_str(),
                                          counted(loopsAfter, L"loop", L"loops").c_str()));
  return kQvNormal;
}
