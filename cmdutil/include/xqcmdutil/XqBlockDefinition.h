#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CString.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class CreateBlockData;
class IVexaBuildInCommandContext;
class QvDbDatabase;

// Creates or redefines the block definition the request names from the request's objects,
// which are deep-cloned into it in draw order (attribute definitions last) and carried so
// that the base point (current UCS) becomes the definition's origin, in UCS axes. The sources
// are erased and listed for OOPS unless the completion request keeps them (bit value 2) or
// they lie on a locked layer. A redefinition keeps the record's id; the references of a
// redefined dynamic block are reset to the definition. Runs in one transaction: a failure
// changes nothing and answers the null id. Refused: a null context or database, a name the
// block table refuses, a layout or external-reference block, and objects that are or use the
// block itself. Pickfirst notifications are suspended for the call.
XQCMDUTIL_EXPORT QvDbObjectId CreateBlock(IVexaBuildInCommandContext* context,
                                          const CreateBlockData& data);

// Changes the settings of the existing definition the request names (not its name) and moves
// the request's objects that belong to it so that the base point becomes its origin. The null
// id for a null context or database, an unknown name, a layout or external-reference block.
XQCMDUTIL_EXPORT QvDbObjectId ModifyBlock(IVexaBuildInCommandContext* context,
                                          const CreateBlockData& data);

// Whether `db` has a block definition `name` (false for a null database or an empty name).
XQCMDUTIL_EXPORT bool IsBlockAlreadyExist(QvDbDatabase* db, CString name);

// 1 when the block `blockId` is named `name` (the table's comparison) or uses, at any depth
// (through references, dimensions, leaders and multileaders), a block so named; else 0. Each
// block is looked at once, so block cycles of a damaged drawing end.
XQCMDUTIL_EXPORT int hasNestedBlockName(QvDbObjectId blockId, const CString& name);

// 1 when any of the objects is, or uses, a block for which hasNestedBlockName answers 1.
XQCMDUTIL_EXPORT int ContainBlockNameInObjArray(const QvArray<QvDbObjectId>& ids,
                                                const CString& name);
