#include "xqcmdutil/XqDgnBind.h"

#include <unordered_set>
#include <vector>

#include "sdk/app/CQvUiPathname.h"
#include "sdk/app/VexaTempFiles.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ed/qvedXref.h"
#include "xqcmdutil/QvDbUnderlayService.h"

namespace {

// The longest path the temporary drawing may have (a buffer of 260 wide characters).
constexpr int kMaxPath = 259;

// An underlay reference of the definition, as read before the bind.
struct Placement {
  QvDbObjectId id;
  QvDbObjectId ownerId;
  QvGeMatrix3d transform;
  QvGePoint3d position;
  QvGeScale3d scale;
  double rotation = 0.0;
};

// The temporary drawing, removed when the bind is over.
class TempDrawing {
 public:
  TempDrawing() : path_(vexaReserveTempFile(L"TarvoTempDgnXref", L".dwg")) {}
  // Only a regular file is removed.
  ~TempDrawing() {
    CQvUiPathname file;
    if (!path_.isEmpty() && file.parse(path_) == CQvUiPathname::kFileExists) file.remove();
  }
  TempDrawing(const TempDrawing&) = delete;
  TempDrawing& operator=(const TempDrawing&) = delete;
  // The reserved file; empty when none could be made or its path is too long to be passed on.
  QvString path() const { return path_.length() > kMaxPath ? QvString() : path_; }

 private:
  QvString path_;
};

std::vector<QvDbObjectId> persistentReactors(const QvDbObject& object) {
  std::vector<QvDbObjectId> ids;
  for (const QvDbReactorEntry& entry : object.reactors())
    if (entry.isPersistent()) ids.push_back(entry.persistentId);
  return ids;
}

// The live underlay references among the reactors that show `definitionId`, in reactor order.
std::vector<Placement> placements(const std::vector<QvDbObjectId>& reactors,
                                  QvDbObjectId definitionId) {
  std::vector<Placement> out;
  for (const QvDbObjectId& id : reactors) {
    if (isEffectivelyErased(id)) continue;
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForRead);
    if (!ref || ref->definitionId() != definitionId) continue;
    out.push_back(Placement{id, ref->ownerId(), ref->transform(), ref->position(),
                            ref->scaleFactors(), ref->rotation()});
  }
  return out;
}

// A reference of `blockId` with the underlay's transform in the underlay's block or layout.
bool addReference(QvDbObjectId blockId, const Placement& at) {
  QvDbObjectPointer<QvDbBlockTableRecord> owner(at.ownerId, QvDb::kForWrite);
  if (owner.openStatus() != Vexa::eOk) return false;
  QvDbObjectPointer<QvDbBlockReference> ref(new QvDbBlockReference(QvGePoint3d::kOrigin, blockId));
  if (ref->setBlockTransform(at.transform) != Vexa::eOk) return false;
  return owner->appendQvDbEntity(ref.object()) == Vexa::eOk;
}

// The attached reference put where the first underlay was, with its whole transform: kept
// and given the transform when it lies in the underlay's space, else replaced there.
bool placeFirst(QvDbObjectId attachedId, QvDbObjectId blockId, const Placement& at) {
  QvDbObjectPointer<QvDbBlockReference> attached(attachedId, QvDb::kForWrite);
  if (attached.openStatus() != Vexa::eOk) return false;
  if (attached->ownerId() == at.ownerId)
    return attached->setBlockTransform(at.transform) == Vexa::eOk;
  if (attached->erase() != Vexa::eOk) return false;
  attached.close();
  return addReference(blockId, at);
}

// Saves the converted contents, attaches and binds them, and replaces the references.
bool bind(QvDbObjectId definitionId, const wchar_t* blockName, bool insertBind,
          std::vector<QvDbObjectId>& reactors) {
  if (definitionId.isNull() || !blockName) return false;
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  if (!db) return false;
  QvDbDatabase* contents = nullptr;
  {
    QvDbObjectPointer<QvDbDgnDefinition> def(definitionId, QvDb::kForRead);
    if (def.openStatus() != Vexa::eOk) return false;
    const QvDbUnderlayItem* item = def->getUnderlayItem();
    reactors = persistentReactors(*def.object());
    if (!item || reactors.empty()) return false;
    contents = item->database();
  }
  if (!contents) return false;
  const TempDrawing temp;
  const QvString path = temp.path();
  if (path.isEmpty()) return false;
  // The reserved file is ours: no backup of it is kept.
  if (contents->saveAs(path.c_str(), false, QvDb::kDrawingVersionR2018) != Vexa::eOk) return false;

  const std::vector<Placement> all = placements(reactors, definitionId);
  if (all.empty()) return false;
  // From the attach on, a failure takes the drawing back to where it was.
  QvDbTransactionScope scope(db);
  QvDbObjectId blockId;
  QvDbObjectId attachedId;
  const Placement& first = all.front();
  // The contents just saved are attached as they are in memory: reading the file back would
  // give them again.
  if (qvedXrefAttachSaved(contents, blockName, &blockId, &attachedId, &first.position, &first.scale,
                          &first.rotation, true, db) != Vexa::eOk)
    return false;
  if (qvedXrefBind(blockName, insertBind, true, db) != Vexa::eOk) return false;
  if (!placeFirst(attachedId, blockId, first)) return false;
  for (size_t i = 1; i < all.size(); ++i)
    if (!addReference(blockId, all[i])) return false;
  return scope.commit() == Vexa::eOk;
}

// The references placed directly in a layout that show, at any depth, the block `blockId`.
void layoutReferences(QvDbObjectId blockId, std::unordered_set<QvDbObjectId>& out) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (!block || block->isLayout()) return;
  QvDbObjectIdArray refs;
  if (block->getBlockReferenceIds(refs, false) != Vexa::eOk) return;
  block.close();
  for (const QvDbObjectId& refId : refs) {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    if (!ref) continue;
    QvDbObjectPointer<QvDbBlockTableRecord> owner(ref->ownerId(), QvDb::kForRead);
    if (owner && owner->isLayout()) out.insert(refId);
  }
}

// The DGN dictionary goes with its last definition: taken out of the named objects and erased.
void dropEmptyDictionary(QvDbDatabase* db) {
  const QvDbDgnUnderlayService service;
  const QvDbObjectId dictId = service.underlayDictionary(db);
  {
    QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForRead);
    if (!dict || dict->numEntries() != 0) return;
  }
  if (service.removeUnderlayDictionary(db) != Vexa::eOk) return;
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
  if (dict) dict->erase();
}

// Erases the definition and its references; true when they have to stay.
bool cleanUp(QvDbObjectId definitionId, const std::vector<QvDbObjectId>& reactors) {
  QvDbObjectPointer<QvDbDgnDefinition> def(definitionId, QvDb::kForWrite);
  if (def.openStatus() != Vexa::eOk) return true;
  std::vector<QvDbObjectId> refs;
  for (const QvDbObjectId& id : reactors) {
    if (id.isErased()) continue;
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForWrite);
    // Held open by another caller: nothing is erased.
    if (ref.openStatus() == Vexa::eWasOpenForWrite || ref.openStatus() == Vexa::eWasOpenForRead)
      return true;
    if (ref && ref->definitionId() == definitionId) refs.push_back(id);
  }
  // Blocks that held underlays are shown again through their references in the layouts.
  std::unordered_set<QvDbObjectId> shown;
  for (const QvDbObjectId& id : refs) {
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForRead);
    if (ref && !isEffectivelyErased(id)) layoutReferences(ref->ownerId(), shown);
  }
  for (const QvDbObjectId& id : shown) {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForWrite);
    if (ref) ref->assertWriteEnabled(true, true);
  }
  if (def->isLoaded()) def->unload();
  def->erase();
  def.close();
  for (const QvDbObjectId& id : refs) {
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForWrite);
    if (ref) ref->erase();
  }
  dropEmptyDictionary(definitionId.database());
  return false;
}

}  // namespace

bool doDgnBind(QvDbObjectId definitionId, const wchar_t* blockName, bool& definitionKept,
               bool insertBind) {
  std::vector<QvDbObjectId> reactors;
  if (!bind(definitionId, blockName, insertBind, reactors)) return false;
  definitionKept = cleanUp(definitionId, reactors);
  return true;
}

bool isEffectivelyErased(QvDbObjectId id) {
  std::unordered_set<QvDbObjectId> passed;
  for (QvDbObjectId at = id;;) {
    if (at.isNull() || at.isErased() || !passed.insert(at).second) return true;
    QvDbObjectPointer<QvDbObject> object(at, QvDb::kForRead);
    if (object.openStatus() != Vexa::eOk) return true;
    const QvDbObjectId owner = object->ownerId();
    if (owner.isNull()) return false;
    at = owner;
  }
}
