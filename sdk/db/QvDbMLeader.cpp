#include "sdk/db/QvDbMLeader.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbIdVisitor.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbMLeader)

QvDbObjectId QvDbMLeader::blockContentId() const {
  assertReadEnabled();
  return blockContent_;
}

Vexa::ErrorStatus QvDbMLeader::setBlockContentId(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!blockId.isNull()) {
    if (blockId.objectClass() == nullptr ||
        !blockId.objectClass()->isDerivedFrom(QvDbBlockTableRecord::desc()))
      return Vexa::eWrongObjectType;
    if (database() && blockId.database() != database()) return Vexa::eWrongDatabase;
  }
  blockContent_ = blockId;
  return Vexa::eOk;
}

QvGePoint3d QvDbMLeader::blockPosition() const {
  assertReadEnabled();
  return blockPosition_;
}

Vexa::ErrorStatus QvDbMLeader::setBlockPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  blockPosition_ = position;
  return Vexa::eOk;
}

QvGePoint3dArray QvDbMLeader::leaderLine() const {
  assertReadEnabled();
  return leader_;
}

Vexa::ErrorStatus QvDbMLeader::setLeaderLine(const QvGePoint3dArray& points) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  leader_ = points;
  return Vexa::eOk;
}

void QvDbMLeader::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!blockContent_.isNull()) visitor.visit(blockContent_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbMLeader::subTransformBy(const QvGeMatrix3d& xform) {
  blockPosition_.transformBy(xform);
  for (QvGePoint3d& p : leader_) p.transformBy(xform);
  return Vexa::eOk;
}

bool QvDbMLeader::subWorldDraw(QvGiWorldDraw* wd) {
  if (leader_.length() >= 2) wd->geometry().polyline(leader_.length(), leader_.asArrayPtr());
  return true;
}
