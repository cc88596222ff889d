// XqDbUtil: the mirror preview, a mirrored copy of an entity in the document's mirror line.
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

bool mirrorDrawOn() {
  resbuf value{};
  return qvedGetVar(L"MIRRORDRAW", &value) == kQvNormal && value.type == kRbShort &&
         value.value.int16 == 1;
}

// The mirror plane of the document's mirror line, in world coordinates. False for a line of
// zero length or no UCS to read.
bool mirrorPlane(const VexaDocData& data, QvGePlane& plane) {
  QvGePoint3d first;
  QvGePoint3d second;
  QvGeMatrix3d ucs;
  if (qvedTrans(data.mirrorPoint1, kQvTransUcs, kQvTransWorld, false, first) != kQvNormal ||
      qvedTrans(data.mirrorPoint2, kQvTransUcs, kQvTransWorld, false, second) != kQvNormal ||
      qvedGetCurrentUCS(ucs) != Vexa::eOk)
    return false;
  const QvGeVector3d direction = second - first;
  if (direction.isZeroLength()) return false;
  QvGePoint3d origin;
  QvGeVector3d xAxis;
  QvGeVector3d yAxis;
  QvGeVector3d zAxis;
  ucs.getCoordSystem(origin, xAxis, yAxis, zAxis);
  const QvGeVector3d across = direction.isParallelTo(zAxis) ? xAxis : zAxis;
  plane = QvGePlane(first, direction, across);
  return true;
}

}  // namespace

void XqDbUtil::drawSymmetricalLine(QvDbObjectId entityId, SymmetricalObjMask mask) {
  const VexaDocData* data = GetVexaAppCtxActiveDocData();
  if (!data || !mirrorDrawOn() || (data->mirrorMask & mask) == 0) return;
  drawCopyEntity(entityId, mask);
}

void XqDbUtil::drawCopyEntity(QvDbObjectId entityId, SymmetricalObjMask mask) {
  VexaDocData* data = GetVexaAppCtxActiveDocData();
  QvGePlane plane;
  if (!data || !mirrorPlane(*data, plane)) return;
  QvDbEntity* copy = nullptr;
  {
    QvDbObjectPointer<QvDbEntity> entity(entityId, QvDb::kForRead);
    if (!entity || entity->getTransformedCopy(QvGeMatrix3d::mirroring(plane), copy) != Vexa::eOk)
      return;
  }
  QvDbObjectPointer<QvDbEntity> kept(copy);  // deleted unless it enters the database
  const bool tracked = (mask & kSymmetricalTracked) != 0;
  if (tracked && !data->mirrorCopyId.isNull()) {
    QvDbObjectPointer<QvDbEntity> old(data->mirrorCopyId, QvDb::kForWrite);
    if (old && old->handOverTo(copy) == Vexa::eOk) {
      delete old.release();  // out of the database now, ours to delete
      kept.close();          // the copy, open for write in its place
      return;
    }
  }
  const QvDbObjectId id = CommitToDB(copy);
  if (id.isNull()) return;
  kept.close();
  if (tracked) data->mirrorCopyId = id;
}
