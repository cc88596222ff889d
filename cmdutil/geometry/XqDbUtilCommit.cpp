// XqDbUtil: committing new entities to a database.
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedSysVar.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// "CVPORT", or 2 (a model-space viewport) when it cannot be read.
int currentViewport() {
  resbuf value{};
  if (qvedGetVar(L"CVPORT", &value) != kQvNormal || value.type != kRbShort) return 2;
  return value.value.int16;
}

}  // namespace

QvDbObjectId XqDbUtil::CommitToDB(QvDbEntity*& entity, QvDbDatabase* database, QvDbObjectId owner) {
  if (!entity) return QvDbObjectId::kNull;
  if (const QvDbObjectId own = entity->objectId(); own.isValid()) return own;
  const int viewport = currentViewport();
  if (!database) {
    const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    database = services ? services->workingDatabase() : nullptr;
  }
  if (!database) return QvDbObjectId::kNull;
  if (owner.isNull())
    owner =
        database->tilemode() || viewport != 1 ? database->modelSpaceId() : database->paperSpaceId();

  QvDbObjectPointer<QvDbBlockTableRecord> block(owner, QvDb::kForWrite);
  if (block.openStatus() != Vexa::eOk) return QvDbObjectId::kNull;
  QvDbObjectId id;
  if (block->appendQvDbEntity(id, entity) != Vexa::eOk) return QvDbObjectId::kNull;
  return id;
}
