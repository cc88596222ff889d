#include "sdk/db/QvDbBlockReference.h"

#include <cmath>
#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbModelerEntity.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/detail/BlockEntities.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/Placement.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbBlockReference)

namespace {

// Explosions that fall back on exploding nested entities stop this deep (a block that holds
// itself, which a drawing should never have).
constexpr int kMaxNesting = 64;
thread_local int nesting = 0;

struct NestingGuard {
  NestingGuard() { ++nesting; }
  ~NestingGuard() { --nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

// `entity` carried by `xform` as new entities: its transformed copy, or, when no entity of
// its kind can hold the image, the images of its exploded parts.
Vexa::ErrorStatus appendTransformed(const QvDbEntity& entity, const QvGeMatrix3d& xform,
                                    QvArray<QvDbEntity*>& out) {
  QvDbEntity* copy = nullptr;
  const Vexa::ErrorStatus es = entity.getTransformedCopy(xform, copy);
  if (es == Vexa::eOk) {
    out.append(copy);
    return Vexa::eOk;
  }
  // A body or a region is not taken apart into faces and wires to follow a transform it refuses
  // (an uneven scaling): it would be lost.
  if (dynamic_cast<const QvDbModelerEntity*>(&entity)) return es;
  QvArray<QvDbEntity*> parts;
  if (entity.explode(parts) != Vexa::eOk) return es;
  Vexa::ErrorStatus result = Vexa::eOk;
  for (int i = 0; i < parts.length(); ++i) {
    std::unique_ptr<QvDbEntity> part(static_cast<QvDbEntity*>(parts[i]));
    if (result == Vexa::eOk) result = appendTransformed(*part, xform, out);
  }
  return result;
}

using qvdb_detail::forEachBlockEntity;

}  // namespace

QvDbBlockReference::QvDbBlockReference(const QvGePoint3d& position, QvDbObjectId blockTableRecord)
    : block_(blockTableRecord), position_(position) {}

QvDbObjectId QvDbBlockReference::blockTableRecord() const {
  assertReadEnabled();
  return block_;
}

Vexa::ErrorStatus QvDbBlockReference::setBlockTableRecord(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = checkReference(blockId, QvDbBlockTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  block_ = blockId;
  return Vexa::eOk;
}

QvGePoint3d QvDbBlockReference::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbBlockReference::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

QvGeScale3d QvDbBlockReference::scaleFactors() const {
  assertReadEnabled();
  return scale_;
}

Vexa::ErrorStatus QvDbBlockReference::setScaleFactors(const QvGeScale3d& scale) {
  for (int i = 0; i < 3; ++i)
    if (scale[i] == 0.0 || !std::isfinite(scale[i])) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  scale_ = scale;
  return Vexa::eOk;
}

double QvDbBlockReference::rotation() const {
  assertReadEnabled();
  return rotation_;
}

Vexa::ErrorStatus QvDbBlockReference::setRotation(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rotation_ = qvdb_detail::normalizeAngle(angle);
  return Vexa::eOk;
}

QvGeVector3d QvDbBlockReference::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbBlockReference::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

QvGePoint3d QvDbBlockReference::blockOrigin() const {
  assertReadEnabled();
  QvDbObjectPointer<QvDbBlockTableRecord> record(block_, QvDb::kForRead);
  if (record) return record->origin();
  // A definition open for write elsewhere (being redefined) is readable as it stands.
  const QvDbObjectStub* stub = block_.stub();
  if (stub && stub->object && stub->isOpen())
    if (const auto* open = QvDbBlockTableRecord::cast(stub->object)) return open->origin();
  return QvGePoint3d::kOrigin;
}

QvGeMatrix3d QvDbBlockReference::blockTransform() const {
  assertReadEnabled();
  QvGeMatrix3d scaling;
  scale_.getMatrix(scaling);
  // The plane of the world's Z axis adds nothing (its matrix is the identity).
  const bool worldPlane = normal_.x == 0.0 && normal_.y == 0.0 && normal_.z == 1.0;
  const QvGeMatrix3d placed = worldPlane ? QvGeMatrix3d::translation(position_.asVector())
                                         : QvGeMatrix3d::translation(position_.asVector()) *
                                               QvGeMatrix3d::planeToWorld(normal_);
  return placed * QvGeMatrix3d::rotation(rotation_, QvGeVector3d::kZAxis) * scaling *
         QvGeMatrix3d::translation(-blockOrigin().asVector());
}

using qvdb_detail::decompose;
using qvdb_detail::Placement;

Vexa::ErrorStatus QvDbBlockReference::setBlockTransform(const QvGeMatrix3d& xform) {
  Placement placement;
  if (const Vexa::ErrorStatus es = decompose(xform, blockOrigin(), placement); es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = placement.position;
  normal_ = placement.normal;
  rotation_ = placement.rotation;
  scale_ = placement.scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockReference::appendAttribute(QvDbAttribute* attribute) {
  QvDbObjectId id;
  return appendAttribute(id, attribute);
}

Vexa::ErrorStatus QvDbBlockReference::appendAttribute(QvDbObjectId& id, QvDbAttribute* attribute) {
  id.setNull();
  if (!attribute) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return attributes_.insertAt(attributes_.length(), *this, attribute, id);
}

QvDbObjectIterator* QvDbBlockReference::attributeIterator() const {
  assertReadEnabled();
  return new QvDbObjectIterator(attributes_);
}

int QvDbBlockReference::numAttributes() const {
  assertReadEnabled();
  // Counted as the iterator lists them (live or not yet in a database), without listing them.
  int n = 0;
  for (int i = 0; i < attributes_.length(); ++i) {
    const QvDbObjectId id = attributes_.idAt(i);
    if (attributes_.localAt(i) || (!id.isNull() && !id.isErased())) ++n;
  }
  return n;
}

void QvDbBlockReference::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!block_.isNull()) visitor.visit(block_, QvDbIdVisitor::kHardPointer);
  attributes_.visitIds(visitor);
}

Vexa::ErrorStatus QvDbBlockReference::subTransformBy(const QvGeMatrix3d& xform) {
  Placement placement;
  if (const Vexa::ErrorStatus es = decompose(xform * blockTransform(), blockOrigin(), placement);
      es != Vexa::eOk)
    return es;
  QvDbOwnedEntitiesOpener attributes(attributes_, QvDb::kForWrite);
  if (attributes.status() != Vexa::eOk) return attributes.status();
  for (int i = 0; i < attributes.length(); ++i)
    if (const Vexa::ErrorStatus es = attributes.at(i)->transformBy(xform); es != Vexa::eOk)
      return es;
  position_ = placement.position;
  normal_ = placement.normal;
  rotation_ = placement.rotation;
  scale_ = placement.scale;
  return Vexa::eOk;
}

void QvDbBlockReference::instanceTransforms(QvArray<QvGeMatrix3d>& transforms) const {
  transforms.append(blockTransform());
}

Vexa::ErrorStatus QvDbBlockReference::subExplode(QvArray<QvDbEntity*>& entitySet) const {
  if (nesting >= kMaxNesting) return Vexa::eNotApplicable;
  const NestingGuard guard;
  QvArray<QvGeMatrix3d> transforms;
  instanceTransforms(transforms);
  for (int t = 0; t < transforms.length(); ++t) {
    const Vexa::ErrorStatus es = forEachBlockEntity(block_, [&](const QvDbEntity& entity) {
      return appendTransformed(entity, transforms[t], entitySet);
    });
    if (es != Vexa::eOk) return es;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockReference::subGetGeomExtents(QvDbExtents& extents) const {
  QvArray<QvDbEntity*> pieces;
  const Vexa::ErrorStatus es = subExplode(pieces);
  for (int i = 0; i < pieces.length(); ++i) {
    std::unique_ptr<QvDbEntity> piece(static_cast<QvDbEntity*>(pieces[i]));
    QvDbExtents box;
    if (es == Vexa::eOk && piece->getGeomExtents(box) == Vexa::eOk) extents.addExt(box);
  }
  if (es != Vexa::eOk) return es;
  QvDbOwnedEntitiesOpener attributes(attributes_, QvDb::kForRead);
  for (int i = 0; i < attributes.length(); ++i) {
    QvDbExtents box;
    if (attributes.at(i)->getGeomExtents(box) == Vexa::eOk) extents.addExt(box);
  }
  return extents.isValidExtents() ? Vexa::eOk : Vexa::eInvalidExtents;
}

Vexa::ErrorStatus QvDbBlockReference::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                       QvDbIntArray& osnapModes,
                                                       QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(position_, QvDb::kOsModeIns);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockReference::subGetOutlineCurves(bool,
                                                          QvArray<QvGeCurve3d*>& curves) const {
  QvArray<QvDbEntity*> pieces;
  const Vexa::ErrorStatus es = subExplode(pieces);
  for (int i = 0; i < pieces.length(); ++i) {
    std::unique_ptr<QvDbEntity> piece(static_cast<QvDbEntity*>(pieces[i]));
    if (es == Vexa::eOk) piece->getOutlineCurves(false, curves);
  }
  return es;
}

Vexa::ErrorStatus QvDbBlockReference::subGetPlane(QvGePlane&, QvDb::Planarity&) const {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbBlockReference::subErase(bool erasing) {
  if (const Vexa::ErrorStatus es = QvDbEntity::subErase(erasing); es != Vexa::eOk) return es;
  for (int i = 0; i < attributes_.length(); ++i)
    if (const Vexa::ErrorStatus es = eraseOwned(attributes_.idAt(i), erasing); es != Vexa::eOk)
      return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockReference::subAppendedToDatabase() {
  return attributes_.joinDatabase(*this);
}

bool QvDbBlockReference::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  QvGiGeometry& geometry = wd->geometry();
  QvArray<QvGeMatrix3d> transforms;
  instanceTransforms(transforms);
  for (int t = 0; t < transforms.length(); ++t) {
    geometry.pushModelTransform(transforms[t]);
    forEachBlockEntity(block_, [&](QvDbEntity& entity) {
      if (entity.visibility() == QvDb::kVisible) geometry.draw(&entity);
      return Vexa::eOk;
    });
    geometry.popModelTransform();
  }
  QvDbOwnedEntitiesOpener attributes(attributes_, QvDb::kForRead);
  for (int i = 0; i < attributes.length(); ++i)
    if (attributes.at(i)->visibility() == QvDb::kVisible) geometry.draw(attributes.at(i));
  return true;
}
