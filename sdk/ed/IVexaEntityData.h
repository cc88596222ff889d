#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/resbuf.h"

class QvDbEntity;
class QvDbSymbolTableRecord;

// Entity data lists as the drawing files' filers make and read them. The files are the
// application's: its service is bound here when the host starts.
class IVexaEntityData {
 public:
  // The list of an entity (open for read); the caller releases it.
  virtual resbuf* entityData(const QvDbEntity& entity) const = 0;
  // Changes an entity (open for write) to a list; eInvalidInput, nothing changed, and the
  // reason in `why` when the list is refused.
  virtual Vexa::ErrorStatus setEntityData(QvDbEntity& entity, const resbuf* list,
                                          QvString* why) const = 0;
  // The list of a symbol-table record (open for read) as a table search gives it.
  virtual resbuf* tableRecordData(const QvDbSymbolTableRecord& record) const = 0;

 protected:
  ~IVexaEntityData() = default;
};
