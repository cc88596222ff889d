#include "host/commands/TarvoDimPointsCommand.h"

#include <cmath>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedEntSel.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqVector.h"

namespace {

// Rounding noise (1e-16 where a turn leaves 0) printed as 0.
double shown(double v) {
  return std::abs(v) < 1e-9 ? 0.0 : v;
}

QvString text(const QvGePoint3d& p) {
  return QvString::format(L"(%.6g,%.6g,%.6g)", shown(p.x), shown(p.y), shown(p.z));
}

// "Line 2A" for the object: its class without the prefix, and its handle.
QvString nameOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
  QvString kind = entity && entity->isA() ? entity->isA()->name() : L"?";
  if (kind.startsWith(L"QvDb")) kind = kind.mid(4);
  return QvString::format(L"%ls %ls", kind.c_str(), id.handle().ascii().c_str());
}

// The definition points of the entity a path (outermost block reference first) ends at.
void report(const XqVector<QvDbObjectId>& path, const QvGePoint3d& pick, const QvGeMatrix3d& ucs) {
  const QvDbObjectId id = path.last();
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
  for (const QvDbObjectId& id : selection.ids())
    report(XqVector<QvDbObjectId>{id}, pick.point, ucs);
  return kQvNormal;
}

int TarvoDimPointsCommand::runNested(IVexaBuildInCommandContext& /*context*/) {
  int64_t name[2] = {0, 0};
  double ucsPoint[3] = {0, 0, 0};
  double xform[4][4];
  resbuf* stack = nullptr;
  const int code = qvedNEntSelP(L"\nSelect nested object: ", name, ucsPoint, 0, xform, &stack);
  const QvRbListPtr references(stack);
  if (code == kQvNone) return kQvNone;
  if (code != kQvNormal) return code;
  QvDbObjectId picked;
  if (qvdbGetObjectId(picked, name) != Vexa::eOk) return kQvError;

  // The references come innermost first; the path runs from the outermost.
  XqVector<QvDbObjectId> path{picked};
  QvString where = nameOf(picked);
  for (const resbuf* rb = references.get(); rb; rb = rb->next) {
    QvDbObjectId reference;
    if (rb->type != kRbEntityName || qvdbGetObjectId(reference, rb->value.name) != Vexa::eOk)
      return kQvError;
    path.insertAt(0, reference);
    where += L" in " + nameOf(reference);
  }
  QvGeMatrix3d toWorld;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) toWorld.entry[r][c] = xform[r][c];
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
  toWorld.getCoordSystem(origin, x, y, z);
  QvGeMatrix3d ucs;
  qvedGetCurrentUCS(ucs);
  const QvGePoint3d pick = QvGePoint3d(ucsPoint[0], ucsPoint[1], ucsPoint[2]).transformBy(ucs);
  TarvoCommandInput::say(L"\nPicked " + where + L" at " + text(pick));
  TarvoCommandInput::say(L"\nTo world: origin " + text(origin) + L", x axis " +
                         text(QvGePoint3d::kOrigin + x) + L", y axis " +
                         text(QvGePoint3d::kOrigin + y) + L", z axis " +
                         text(QvGePoint3d::kOrigin + z));
  report(path, pick, ucs);
  return kQvNormal;
}
