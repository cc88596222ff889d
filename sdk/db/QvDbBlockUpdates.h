#pragma once

#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbBlockTableRecord;
class QvDbEntity;
template <class T>
class QvArray;

// The host's record of what was done after block definitions changed (the notifications of a
// redefinition, the refresh of references and representations), for the host's own
// bookkeeping and for tests to read.
class QvDbBlockUpdateLog : public VexaHostService {
 public:
  struct Entry {
    enum class Kind { kNotifyUndo, kUpdateDefinition, kRefreshRepresentations };
    Kind kind = Kind::kUpdateDefinition;
    QvDbObjectIdArray ids;
  };
  void add(Entry::Kind kind, const QvDbObjectIdArray& ids) { entries_.push_back({kind, ids}); }
  const std::vector<Entry>& entries() const { return entries_; }
  int count(Entry::Kind kind) const;

  // The running host's log, or null.
  static QvDbBlockUpdateLog* current();

 private:
  std::vector<Entry> entries_;
};

// The references of a redefined block take its new contents: recorded; eNullObjectId for a
// null id, eWrongObjectType when it names no block table record.
Vexa::ErrorStatus qvdbUpdateBlockDefinition(QvDbObjectId blockId, bool updateAttributes);

// Refills every anonymous representation of a dynamic or tag block from the (redefined)
// definition: each representation's entities are erased and the definition's are cloned into
// it, and it takes the definition's origin, units, scaling and explodable settings. eOk for a
// definition without representations; a failure leaves every representation as it was.
Vexa::ErrorStatus qvdbRefreshAllRepresentation(QvDbObjectId blockId);

// Inner operations of the host on block definitions and entities.
class QvDbBlockInternals {
 public:
  // Whether the definition's references ignore its insertion units (they are scaled as drawn).
  // The stand-in answers no unless a test switches the answer (setUnitsIgnored).
  static bool insertUnitsIgnored(const QvDbBlockTableRecord* block);
  static void setUnitsIgnored(bool on);

  // Explodes the entity (open for read at least) and appends the pieces to the block table
  // record `ownerId`, which is opened for write here; the new pieces' pointers go to `pieces`
  // (closed when appendToOwner, in which case they belong to the drawing). The entity itself
  // is left alone. A failure appends nothing (pieces made are deleted) and answers the status
  // of the explode, the open of the owner or the append.
  static Vexa::ErrorStatus explodeToOwner(const QvDbEntity* entity, QvDbObjectId ownerId,
                                          QvArray<QvDbEntity*>& pieces, bool appendToOwner);
};
