// Whether a block would contain itself: the blocks that blocks and objects use.
#include <memory>
#include <unordered_set>
#include <vector>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockRepresentation.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimension.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbMLeader.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqBlockDefinition.h"

namespace {

// The block an entity shows: a reference's block, a dimension's block, a leader's annotation
// when that is a block, a multileader's block content. Null otherwise.
QvDbObjectId blockUsedBy(const QvDbObject* object) {
  if (const auto* ref = QvDbBlockReference::cast(object)) return ref->blockTableRecord();
  if (const auto* dim = QvDbDimension::cast(object)) return dim->dimBlockId();
  if (const auto* leader = QvDbLeader::cast(object)) return leader->annotationObjId();
  if (const auto* mleader = QvDbMLeader::cast(object)) return mleader->blockContentId();
  return QvDbObjectId();
}

// Whether objects of a class can show a block: references, block records and the classes
// blockUsedBy answers for. Classes found not to are remembered, as a selection is mostly of a
// few classes.
class BlockUsers {
 public:
  bool mayUseBlock(const QvRxClass* cls) {
    if (!cls) return true;  // not known without opening
    for (const QvRxClass* known : plain_)
      if (known == cls) return false;
    for (const QvRxClass* user : {QvDbBlockReference::desc(), QvDbBlockTableRecord::desc(),
                                  QvDbDimension::desc(), QvDbLeader::desc(), QvDbMLeader::desc()})
      if (cls->isDerivedFrom(user)) return true;
    plain_.push_back(cls);
    return false;
  }

 private:
  std::vector<const QvRxClass*> plain_;
};

bool isBlockRecord(QvDbObjectId id) {
  return id.isValid() && id.objectClass() &&
         id.objectClass()->isDerivedFrom(QvDbBlockTableRecord::desc());
}

}  // namespace

bool IsBlockAlreadyExist(QvDbDatabase* db, CString name) {
  if (!db || name.IsEmpty()) return false;
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  return table.openStatus() == Vexa::eOk && table->has(name);
}

int hasNestedBlockName(QvDbObjectId blockId, const CString& name) {
  std::unordered_set<QvDbObjectId> seen;
  std::vector<QvDbObjectId> pending{blockId};
  while (!pending.empty()) {
    const QvDbObjectId id = pending.back();
    pending.pop_back();
    if (!seen.insert(id).second) continue;
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk) continue;
    QvString blockName;
    block->getName(blockName);
    if (qvdbGetSymbolSvc()->compareSymbolName(blockName.c_str(), name) == 0) return 1;
    QvDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) != Vexa::eOk) continue;
    const std::unique_ptr<QvDbBlockTableRecordIterator> owned(it);
    for (; !it->done(); it->step()) {
      QvDbObjectId entityId;
      it->getEntityId(entityId);
      QvDbObjectPointer<QvDbObject> entity(entityId, QvDb::kForRead);
      if (entity.openStatus() != Vexa::eOk) continue;
      const QvDbObjectId used = blockUsedBy(entity.object());
      if (isBlockRecord(used) && !seen.count(used)) pending.push_back(used);
    }
  }
  return 0;
}

int ContainBlockNameInObjArray(const QvArray<QvDbObjectId>& ids, const CString& name) {
  BlockUsers users;
  for (const QvDbObjectId& id : ids) {
    if (!users.mayUseBlock(id.objectClass())) continue;
    QvDbObjectId used;
    {
      QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead);
      if (object.openStatus() != Vexa::eOk) continue;
      if (QvDbBlockReference::cast(object.object())) {
        const QvDbBlockRepresentation rep(id);
        used =
            rep.hasRepresentation() ? rep.sourceBlockTableRecordId() : blockUsedBy(object.object());
      } else if (QvDbBlockTableRecord::cast(object.object())) {
        used = id;
      } else {
        used = blockUsedBy(object.object());
      }
    }
    if (isBlockRecord(used) && hasNestedBlockName(used, name)) return 1;
  }
  return 0;
}
