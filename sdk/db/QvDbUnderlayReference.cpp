#include "sdk/db/QvDbUnderlayReference.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/detail/BlockEntities.h"
#include "sdk/db/detail/Placement.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbUnderlayReference)
QVRX_DEFINE_HOST_MEMBERS(QvDbDwfReference)
QVRX_DEFINE_HOST_MEMBERS(QvDbPdfReference)
QVRX_DEFINE_HOST_MEMBERS(QvDbDgnReference)

const QvRxClass* QvDbDwfReference::definitionClass() const {
  return QvDbDwfDefinition::desc();
}

const QvRxClass* QvDbPdfReference::definitionClass() const {
  return QvDbPdfDefinition::desc();
}

const QvRxClass* QvDbDgnReference::definitionClass() const {
  return QvDbDgnDefinition::desc();
}

QvDbObjectId QvDbUnderlayReference::definitionId() const {
  assertReadEnabled();
  return definitionId_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setDefinitionId(QvDbObjectId definitionId) {
  // An id a drawing file names before its object is read has no class yet.
  const QvRxClass* cls = definitionId.objectClass();
  if (cls && cls != definitionClass()) return Vexa::eWrongObjectType;
  if (isResident() && !definitionId.isNull() && definitionId.database() != database())
    return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (isResident() && !ownerId().isNull() && (definitionId.isNull() || cls) &&
      definitionId != definitionId_)
    if (const Vexa::ErrorStatus es = link(definitionId_, definitionId); es != Vexa::eOk) return es;
  definitionId_ = definitionId;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayReference::link(QvDbObjectId previous, QvDbObjectId definition) {
  if (!definition.isNull()) {
    QvDbObjectPointer<QvDbUnderlayDefinition> def(definition, QvDb::kForWrite);
    if (!def) return def.openStatus();
    if (const Vexa::ErrorStatus es = def->addPersistentReactor(objectId()); es != Vexa::eOk)
      return es;
  }
  if (!previous.isNull() && previous != definition) {
    // The old definition may be gone or busy; it then keeps a reactor that no longer shows it.
    QvDbObjectPointer<QvDbUnderlayDefinition> old(previous, QvDb::kForWrite, true);
    if (old) old->removePersistentReactor(objectId());
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayReference::subAppendedToDatabase() {
  if (const Vexa::ErrorStatus es = QvDbEntity::subAppendedToDatabase(); es != Vexa::eOk) return es;
  // A drawing file read names its definitions before they are read; their reactor lists
  // come from the file.
  if (!definitionId_.objectClass()) return Vexa::eOk;
  return link(QvDbObjectId(), definitionId_);
}

QvGePoint3d QvDbUnderlayReference::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

QvGeScale3d QvDbUnderlayReference::scaleFactors() const {
  assertReadEnabled();
  return scale_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setScaleFactors(const QvGeScale3d& scale) {
  if (scale.sx == 0.0 || scale.sy == 0.0 || scale.sz == 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  scale_ = scale;
  return Vexa::eOk;
}

double QvDbUnderlayReference::rotation() const {
  assertReadEnabled();
  return rotation_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setRotation(double rotation) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rotation_ = rotation;
  return Vexa::eOk;
}

QvGeVector3d QvDbUnderlayReference::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

QvGeMatrix3d QvDbUnderlayReference::transform() const {
  assertReadEnabled();
  return qvdb_detail::Placement{position_, normal_, rotation_, scale_}.matrix();
}

Vexa::ErrorStatus QvDbUnderlayReference::setTransform(const QvGeMatrix3d& xform) {
  qvdb_detail::Placement placement;
  if (const Vexa::ErrorStatus es = qvdb_detail::decompose(xform, QvGePoint3d::kOrigin, placement);
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = placement.position;
  normal_ = placement.normal;
  rotation_ = placement.rotation;
  scale_ = placement.scale;
  return Vexa::eOk;
}

const QvGePoint2dArray& QvDbUnderlayReference::clipBoundary() const {
  assertReadEnabled();
  return clipBoundary_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setClipBoundary(const QvGePoint2dArray& points) {
  QvGePoint2dArray boundary = points;
  if (boundary.length() > 2 && boundary.first().isEqualTo(boundary.last())) boundary.removeLast();
  if (boundary.length() == 1 || (boundary.length() == 2 && (boundary[0].x == boundary[1].x ||
                                                            boundary[0].y == boundary[1].y)))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  clipBoundary_ = boundary;
  flags_ = static_cast<uint8_t>(boundary.isEmpty() ? flags_ & ~kClipped : flags_ | kClipped);
  return Vexa::eOk;
}

bool QvDbUnderlayReference::isClipped() const {
  assertReadEnabled();
  return (flags_ & kClipped) != 0 && !clipBoundary_.isEmpty();
}

uint8_t QvDbUnderlayReference::underlayFlags() const {
  assertReadEnabled();
  return flags_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setUnderlayFlags(uint8_t flags) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  flags_ = flags;
  return Vexa::eOk;
}

int QvDbUnderlayReference::contrast() const {
  assertReadEnabled();
  return contrast_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setContrast(int contrast) {
  if (contrast < 20 || contrast > 100) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  contrast_ = contrast;
  return Vexa::eOk;
}

int QvDbUnderlayReference::fade() const {
  assertReadEnabled();
  return fade_;
}

Vexa::ErrorStatus QvDbUnderlayReference::setFade(int fade) {
  if (fade < 0 || fade > 80) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  fade_ = fade;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayReference::getFrame(QvGePoint3dArray& points) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  QvGePoint2dArray outline;
  if (isClipped()) {
    outline = clipBoundary_;
    if (outline.length() == 2) {
      const QvGePoint2d a = outline[0];
      const QvGePoint2d b = outline[1];
      outline = QvGePoint2dArray();
      for (const QvGePoint2d& p : {a, QvGePoint2d(b.x, a.y), b, QvGePoint2d(a.x, b.y)})
        outline.append(p);
    }
  } else {
    QvDbObjectPointer<QvDbUnderlayDefinition> def(definitionId_, QvDb::kForRead);
    const QvDbUnderlayItem* item = def ? def->getUnderlayItem() : nullptr;
    if (!item) return Vexa::eInvalidExtents;
    const QvGePoint2d& lo = item->extentsMin();
    const QvGePoint2d& hi = item->extentsMax();
    if (!(hi.x > lo.x) || !(hi.y > lo.y)) return Vexa::eInvalidExtents;  // extents not known
    for (const QvGePoint2d& p : {lo, QvGePoint2d(hi.x, lo.y), hi, QvGePoint2d(lo.x, hi.y)})
      outline.append(p);
  }
  const QvGeMatrix3d xform = transform();
  for (const QvGePoint2d& p : outline) {
    QvGePoint3d world(p.x, p.y, 0.0);
    points.append(world.transformBy(xform));
  }
  points.append(points.first());
  return Vexa::eOk;
}

void QvDbUnderlayReference::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!definitionId_.isNull()) visitor.visit(definitionId_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbUnderlayReference::subTransformBy(const QvGeMatrix3d& xform) {
  return setTransform(xform * transform());
}

Vexa::ErrorStatus QvDbUnderlayReference::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray frame;
  if (const Vexa::ErrorStatus es = getFrame(frame); es != Vexa::eOk) return es;
  for (const QvGePoint3d& p : frame) extents.addPoint(p);
  return Vexa::eOk;
}

bool QvDbUnderlayReference::subWorldDraw(QvGiWorldDraw* wd) {
  QvGePoint3dArray frame;
  if (getFrame(frame) == Vexa::eOk) wd->geometry().polyline(frame.length(), frame.asArrayPtr());
  return true;
}

bool QvDbDgnReference::subWorldDraw(QvGiWorldDraw* wd) {
  QvDbUnderlayReference::subWorldDraw(wd);
  QvDbObjectPointer<QvDbUnderlayDefinition> def(definitionId(), QvDb::kForRead);
  const QvDbUnderlayItem* item = def ? def->getUnderlayItem() : nullptr;
  const QvDbDatabase* contents = item ? item->database() : nullptr;
  if (!contents) return true;
  QvGiGeometry& geometry = wd->geometry();
  geometry.pushModelTransform(transform());
  qvdb_detail::forEachBlockEntity(contents->modelSpaceId(), [&](QvDbEntity& entity) {
    if (entity.visibility() == QvDb::kVisible) geometry.draw(&entity);
    return Vexa::eOk;
  });
  geometry.popModelTransform();
  return true;
}
