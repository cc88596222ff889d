#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/resbuf.h"

class QvDbEntity;
class QvDbSymbolTableRecord;

// Entity data lists of the classic interface, made and applied by the DXF filer of the
// entity's class: the groups the filer writes, with the entity's name (-1) first, points as
// one record (x under the code, y and z folded in), references as entity names, and no
// extended data. A block reference always carries its scale factors (41, 42, 43) and rotation
// (50).
namespace QvDxfEntityData {

// The list of an entity of a database (open for read); null for one in no database. The
// caller releases it.
resbuf* get(const QvDbEntity& entity);

// Changes an entity (open for write) to what a list says, through its filer: groups missing
// from the list take their defaults, an unknown layer is made. The entity keeps its identity.
// A list of another type, a reference to nothing, or a value the entity refuses (a zero scale
// factor) changes nothing: eInvalidInput, and `why` says what.
Vexa::ErrorStatus apply(QvDbEntity& entity, const resbuf* list, QvString* why = nullptr);

// The list of a symbol-table record (open for read) as a table search gives it: 0 the table
// ("LAYER", "BLOCK", ...), then the record's groups without handles and subclass markers. A
// block gives its name (2), flags (70), base point (10) and first entity (-2).
resbuf* tableRecord(const QvDbSymbolTableRecord& record);

}  // namespace QvDxfEntityData
