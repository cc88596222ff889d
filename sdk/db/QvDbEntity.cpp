#include "sdk/db/QvDbEntity.h"

#include <cmath>
#include <cstring>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbEntity)

namespace {

// A matrix that flattens space (or holds no numbers) carries no entity. The last matrix found
// regular is remembered: a block's entities are transformed by one matrix, one after another.
bool isSingularTransform(const QvGeMatrix3d& xform) {
  thread_local QvGeMatrix3d lastRegular;
  thread_local bool hasLastRegular = false;
  if (hasLastRegular && std::memcmp(&xform.entry, &lastRegular.entry, sizeof xform.entry) == 0)
    return false;
  double sum = 0.0;
  for (const auto& row : xform.entry)
    for (double v : row) sum += v;
  if (!std::isfinite(sum) || xform.isSingular(QvGePrecision::kSingular)) return true;
  lastRegular = xform;
  hasLastRegular = true;
  return false;
}

}  // namespace

QvDbObjectId QvDbEntity::layerId() const {
  assertReadEnabled();
  return layerId_;
}

QvString QvDbEntity::layer() const {
  assertReadEnabled();
  return QvDbSymbolTableRecord::nameOf(layerId_);
}

Vexa::ErrorStatus QvDbEntity::setLayer(QvDbObjectId layerId) {
  if (layerId.isNull()) return Vexa::eNullObjectId;
  if (const Vexa::ErrorStatus es = checkReference(layerId, QvDbLayerTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  layerId_ = layerId;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::setLayer(const wchar_t* layerName, QvDbDatabase* db) {
  if (isResident()) db = database();
  if (!db) return Vexa::eNoDatabase;
  QvDbLayerTable* table = nullptr;
  if (const Vexa::ErrorStatus es = db->getLayerTable(table, QvDb::kForRead); es != Vexa::eOk)
    return es;
  QvDbObjectId id;
  const Vexa::ErrorStatus es = table->getAt(layerName, id);
  table->close();
  if (es != Vexa::eOk) return es;
  return setLayer(id);
}

Vexa::ErrorStatus QvDbEntity::setDatabaseDefaults(QvDbDatabase* db) {
  if (isResident()) db = database();
  if (!db) {
    const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    db = services ? services->workingDatabase() : nullptr;
  }
  if (!db) return Vexa::eNoDatabase;
  if (const Vexa::ErrorStatus es = setLayer(db->clayer()); es != Vexa::eOk) return es;
  return setPropertyDefaults(db);
}

Vexa::ErrorStatus QvDbEntity::transformBy(const QvGeMatrix3d& xform) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (isSingularTransform(xform)) return Vexa::eDegenerateGeometry;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return subTransformBy(xform);
}

QvDbObject* QvDbEntity::clone() const {
  auto* copy = static_cast<QvDbEntity*>(QvDbObject::clone());
  if (const QvDbOwnedEntities* mine = ownedEntities(); copy && mine) {
    *copy->ownedEntities() = mine->localCopies();
  }
  return copy;
}

bool QvDbEntity::copyFrom(const QvRxObject* other) {
  const auto* source = QvDbEntity::cast(other);
  QvDbOwnedEntities* mine = ownedEntities();
  const QvDbOwnedEntities* theirs = source ? source->ownedEntities() : nullptr;
  if (!mine || !theirs || source == this) return QvDbObject::copyFrom(other);
  QvDbOwnedEntities incoming = theirs->localCopies();
  const QvDbOwnedEntities previous = *mine;  // the state copy below overwrites the list
  if (!QvDbObject::copyFrom(other)) return false;
  for (int i = 0; i < previous.length(); ++i) eraseOwned(previous.idAt(i), true);
  *mine = std::move(incoming);
  if (isResident()) mine->joinDatabase(*this);
  return true;
}

Vexa::ErrorStatus QvDbEntity::getTransformedCopy(const QvGeMatrix3d& xform,
                                                 QvDbEntity*& copy) const {
  copy = nullptr;
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (isSingularTransform(xform)) return Vexa::eDegenerateGeometry;
  return subGetTransformedCopy(xform, copy);
}

Vexa::ErrorStatus QvDbEntity::explode(QvArray<QvDbEntity*>& pieces) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (const Vexa::ErrorStatus es = vexaFaultStatus("QvDbEntity::explode"); es != Vexa::eOk)
    return es;
  const int before = pieces.length();
  const Vexa::ErrorStatus es = subExplode(pieces);
  if (es != Vexa::eOk) {
    // Nothing of a failed explode is handed out.
    while (pieces.length() > before) {
      delete pieces.last();
      pieces.removeLast();
    }
  }
  return es;
}

Vexa::ErrorStatus QvDbEntity::getGeomExtents(QvDbExtents& extents) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return subGetGeomExtents(extents);
}

Vexa::ErrorStatus QvDbEntity::subTransformBy(const QvGeMatrix3d&) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbEntity::subGetTransformedCopy(const QvGeMatrix3d& xform,
                                                    QvDbEntity*& copy) const {
  auto* made = static_cast<QvDbEntity*>(clone());
  if (!made) return Vexa::eNotApplicable;
  if (const Vexa::ErrorStatus es = made->subTransformBy(xform); es != Vexa::eOk) {
    delete made;
    return es;
  }
  copy = made;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::subExplode(QvArray<QvDbEntity*>&) const {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbEntity::subGetGeomExtents(QvDbExtents&) const {
  return Vexa::eInvalidExtents;
}

void QvDbEntity::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  if (!layerId_.isNull()) visitor.visit(layerId_, QvDbIdVisitor::kHardPointer);
  if (!linetypeId_.isNull()) visitor.visit(linetypeId_, QvDbIdVisitor::kHardPointer);
}
