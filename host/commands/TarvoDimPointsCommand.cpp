#include "host/commands/TarvoDimPointsCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqVector.h"

namespace {

QvString text(const QvGePoint3d& p) {
  return QvString::format(L"(%.6g,%.6g,%.6g)", p.x, p.y, p.z);
}

// "Line 2A" for the object: its class without the prefix, and its handle.
QvString nameOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
  QvString kind = entity && entity->isA() ? entity->isA()->name() : L"?";
  if (kind.startsWith(L"QvDb")) kind = kind.mid(4);
  return QvString::format(L"%ls %ls", kind.c_str(), id.handle().ascii().c_str());
}

void report(QvDbObjectId id, const QvGePoint3d& pick, const QvGeMatrix3d& ucs) {
  const XqVector<QvDbObjectId> path{id};
  QvGePoint3d p1, p2, p3, p4;
  const QvGePoint3d unset(1e300, 1e300, 1e300);
  p3 = p4 = unset;
  unsigned int segment = 0;
  bool isPolyline = false;
  const QvString name = nameOf(id);
  if (!XqDbUtil::isSupportableSelEntToDim(false, path)) {
    TarvoCommandInput::say(L"\n" + name + L": not dimensionable");
    return;
  }
  const int code =
      XqDbUtil::getDimensionDefPoints(path, p1, p2, p3, p4, pick, ucs, segment, isPolyline);
  if (code == kQvRejected) {
    TarvoCommandInput::say(L"\n" + name + L": no definition points for this kind");
    return;
  }
  if (code != kQvNormal) {
    TarvoCommandInput::say(L"\n" + name + L": its definition points cannot be found");
    return;
  }
  QvString line = L"\n" + name;
  if (isPolyline) line += QvString::format(L", segment %u", segment);
  line += L": " + text(p1) + L" " + text(p2);
  if (!(p3 == unset)) line += L" " + text(p3) + L" " + text(p4);
  TarvoCommandInput::say(line);
}

}  // namespace

int TarvoDimPointsCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  const int code = selection.ask();
  if (code != kQvNormal) return code;
  const TarvoAnswer pick = TarvoCommandInput::point(L"\nPick point: ", nullptr, nullptr, true);
  if (pick.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  QvGeMatrix3d ucs;
  qvedGetCurrentUCS(ucs);
  for (const QvDbObjectId& id : selection.ids()) report(id, pick.point, ucs);
  return kQvNormal;
}
