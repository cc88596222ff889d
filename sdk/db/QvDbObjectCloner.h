#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;
class QvDbObject;

// The work of a deep clone and of inserting one drawing into another. Each source object is
// copied whole (QvDbObject::copyState) and added to the destination; the objects it owns
// follow it; then every id held by a copy is translated through the mapping. Within one
// database, ids of objects not cloned stay as they are. Across databases, a hard pointer to a
// symbol-table record is matched by name in the destination or brings the record along
// (anonymous blocks under a new anonymous name), and one to an underlay definition is matched
// by key, file and item in the destination's dictionary of its format or brings the
// definition along; other references that cannot cross are cleared. Cloned underlay
// references join the reactors of the definition they show. Internal to the database, which runs it
// inside a transaction so that a failure takes everything back.
class QvDbObjectCloner {
 public:
  enum class Mode { kSameDatabase, kAcrossDatabases };

  QvDbObjectCloner(QvDbDatabase* source, QvDbDatabase* dest, Mode mode, QvDbIdMapping& map);
  QvDbObjectCloner(const QvDbObjectCloner&) = delete;
  QvDbObjectCloner& operator=(const QvDbObjectCloner&) = delete;
  ~QvDbObjectCloner();

  // Copies the model space of `source` into `dest` as the block `blockName` (QvDbDatabase::insert).
  // With a prefix, the records brought along are those of an external reference: named
  // "PREFIX|NAME" (dependentName) and matched in `dest` under that name.
  static Vexa::ErrorStatus insertModelSpace(QvDbDatabase* dest, QvDbObjectId& blockId,
                                            const wchar_t* blockName, QvDbDatabase* source,
                                            const QvString& dependentPrefix);

  // Across databases, records brought along are named as dependentName says.
  void setDependentPrefix(const QvString& prefix) { dependentPrefix_ = prefix; }
  // The name a record of table `kind` (QvDbDatabase::TableKind) takes in the destination: its
  // own without a prefix, and for the layers, linetypes, text and dimension styles and blocks
  // of an external reference "PREFIX|NAME", except layer "0" and the linetypes ByBlock,
  // ByLayer and Continuous, which every drawing shares.
  QvString dependentName(int kind, const QvString& name) const;

  // Makes `destId` stand for `sourceId` without cloning it.
  void mapTo(QvDbObjectId sourceId, QvDbObjectId destId);
  // Clones `ids` (live objects of the source), in order, into `ownerId`: a block table
  // record (entities), a dictionary (under the source's key) or a symbol table (records).
  Vexa::ErrorStatus clonePrimaries(const QvDbObjectIdArray& ids, QvDbObjectId ownerId);
  // Translates the ids of every clone, bringing records along across databases, and
  // registers in the destination the applications whose extended data came along.
  Vexa::ErrorStatus translate();
  // Closes every clone.
  void closeAll();

 private:
  struct Pending {
    QvDbObjectId source;
    QvDbObjectId ownerClone;
  };
  class Translator;

  // Copies one object into the destination (not into any container); answers the clone, open
  // for write. Objects it owns are queued.
  Vexa::ErrorStatus cloneObject(QvDbObjectId sourceId, bool primary, QvDbObject*& clone);
  Vexa::ErrorStatus cloneQueuedOwned();
  Vexa::ErrorStatus placeInOwner(QvDbObject* owner, QvDbObject* clone, QvDbObjectId sourceId);
  // The destination's object for a source object referred to by a hard pointer across
  // databases: a record of the same name, or a clone of the record; null when it cannot be.
  QvDbObjectId resolveAcross(QvDbObjectId sourceId);
  // Across databases: the destination's definition of the source's key, file and item, else
  // a clone in the destination's dictionary of the format.
  Vexa::ErrorStatus resolveDefinitionAcross(QvDbObjectId sourceId, QvDbObjectId& destId);
  // Cloned underlay references join the reactors of the definition they show.
  Vexa::ErrorStatus joinDefinitions();
  // Clones a source object into an owner of the destination (a symbol table, a dictionary); a
  // symbol record under `recordName` when one is given.
  Vexa::ErrorStatus cloneAcrossInto(QvDbObjectId ownerId, QvDbObjectId sourceId,
                                    QvDbObjectId& cloneId, const QvString& recordName = {});
  Vexa::ErrorStatus registerApplications();
  // Database handles (1005) in a clone's extended data that name a cloned object name its
  // clone; others are kept.
  void translateXDataHandles(QvDbObject& clone);
  QvDbObject* cloneOf(QvDbObjectId cloneId) const;

  QvDbDatabase* source_;
  QvDbDatabase* dest_;
  Mode mode_;
  QvDbIdMapping& map_;
  QvString dependentPrefix_;
  std::vector<QvDbObject*> openClones_;
  std::vector<Pending> pending_;
  Vexa::ErrorStatus failure_ = Vexa::eOk;  // the first failure met while translating
};
