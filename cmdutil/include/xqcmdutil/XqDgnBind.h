#pragma once

#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Binding a DGN underlay into the drawing as an ordinary block.

// Binds the DGN definition `definitionId` of the working drawing: its converted contents (the
// loaded item's drawing) are saved to a temporary drawing "TarvoTempDgnXref<n>.dwg" in the
// session's private temporary folder, attached as the external reference `blockName` (from the
// contents in memory, which the file holds too) and bound (with the "insert" kind of bind when
// `insertBind`); every underlay reference of the definition that is live is then replaced by a
// reference of that block with its transform (normal included), in the block or layout that
// holds the underlay. The temporary file is removed.
// False when nothing was bound, and then the drawing is as it was: a null id or name, no working
// drawing, a definition that does not open, is not loaded or has no references, a temporary
// path longer than 259 characters, a failed save, attach or bind, or a reference that could not
// be replaced. True otherwise, and then the definition and its references are erased
// (`definitionKept` false), and the DGN dictionary with them when it holds nothing else, unless
// one of the references or the definition could not be opened for write (`definitionKept` true:
// all of them stay).
XQCMDUTIL_EXPORT bool doDgnBind(QvDbObjectId definitionId, const wchar_t* blockName,
                                bool& definitionKept, bool insertBind);

// True when `id` is null, erased or does not open for read, or an owner up its chain is: an
// entity of an erased block definition counts as erased. False when the chain ends at an object
// without owner. A chain that comes back to an object already passed (a damaged drawing) counts
// as erased.
XQCMDUTIL_EXPORT bool isEffectivelyErased(QvDbObjectId id);
