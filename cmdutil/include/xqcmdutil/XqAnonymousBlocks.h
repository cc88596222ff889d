#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeScale3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class QvDbBlockTableRecord;
class QvDbDatabase;
class QvDbEntity;

// Entities added to the current space, anonymous blocks, and references placed in them.

// Appends `entity` to the model space (`modelSpace` nonzero) or the paper space of the working
// database; `id` gets its id. True when both the lookup and the append succeed (the caller
// keeps an entity that was not appended, and closes one that was).
XQCMDUTIL_EXPORT bool addEntityToDb(QvDbObjectId& id, QvDbEntity* entity, int modelSpace);
// Appends `entity` to *spaceId when given and not null, else to the paper space when the
// database's tile mode is off and "CVPORT" is 1, else to the model space of `db` (null: the
// working database). An entity already in a database keeps its id. The null id when "CVPORT"
// cannot be read or the space cannot take it. An appended entity stays open for the caller.
XQCMDUTIL_EXPORT QvDbObjectId addEntityToDb(QvDbEntity* entity, QvDbDatabase* db,
                                            QvDbObjectId* spaceId);

// Adds a new anonymous block ("*U", named by the database) to db's block table: eOk with
// `record` open for write (the caller closes it) and its id, else the table's status and a
// null record.
XQCMDUTIL_EXPORT Vexa::ErrorStatus defineNewAnonymousBlock(QvDbBlockTableRecord*& record,
                                                           QvDbObjectId& id, QvDbDatabase* db);
// A new anonymous block of copies of `ids`, placed so that `basePoint` (current UCS) is its
// origin, in the axes of the UCS. No block stays behind when the copies cannot be made.
XQCMDUTIL_EXPORT Vexa::ErrorStatus makeAnonymousBlock(QvDbObjectId& id,
                                                      const QvDbObjectIdArray& ids,
                                                      const QvGePoint3d& basePoint);
// Deep-clones `ids` into `ownerId` and transforms the primary clones by `matrix`.
XQCMDUTIL_EXPORT Vexa::ErrorStatus cloneAndXformObjects(QvDbDatabase* db,
                                                        const QvDbObjectIdArray& ids,
                                                        QvDbObjectId ownerId,
                                                        const QvGeMatrix3d& matrix);
// A reference of `blockId` at `position` with `scale`, in paper space when "TILEMODE" is 0 and
// "CVPORT" is below 2 or unreadable, else in model space; deleted when it cannot be appended.
// Its id, or null.
XQCMDUTIL_EXPORT QvDbObjectId makeBlockReference(QvDbObjectId blockId, const QvGePoint3d& position,
                                                 const QvGeScale3d& scale);
