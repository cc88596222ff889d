#include "tests/support/DbSetup.h"

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace {

// Opens `ownerId` for write and hands `added` to `append` (owner, id, added); closes `added`, or
// deletes it when refused. Its id, or null.
template <class Owner, class Added, class Append>
QvDbObjectId appendTo(QvDbObjectId ownerId, Added* added, Append append) {
  QvDbObjectPointer<Owner> owner(ownerId, QvDb::kForWrite);
  QvDbObjectId id;
  EXPECT_EQ(Vexa::eOk, owner.openStatus());
  if (owner.openStatus() == Vexa::eOk) {
    EXPECT_EQ(Vexa::eOk, append(*owner.object(), id, added));
  }
  if (id.isNull())
    delete added;
  else
    added->close();
  return id;
}

}  // namespace

QvDbObjectId appendEntity(QvDbObjectId blockId, QvDbEntity* entity) {
  return appendTo<QvDbBlockTableRecord>(
      blockId, entity, [](QvDbBlockTableRecord& block, QvDbObjectId& id, QvDbEntity* added) {
        return block.appendQvDbEntity(id, added);
      });
}

QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity) {
  return appendEntity(db->modelSpaceId(), entity);
}

QvDbObjectId appendAttribute(QvDbObjectId referenceId, QvDbAttribute* attribute) {
  return appendTo<QvDbBlockReference>(
      referenceId, attribute,
      [](QvDbBlockReference& reference, QvDbObjectId& id, QvDbAttribute* added) {
        return reference.appendAttribute(id, added);
      });
}

QvDbObjectIdArray entitiesOf(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead, true);
  return block ? block->entityIds() : QvDbObjectIdArray();
}
