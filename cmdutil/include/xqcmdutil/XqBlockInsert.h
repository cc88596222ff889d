#pragma once

#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class CreateInsertData;
class IVexaBuildInCommandContext;

// The name of a definition made from a drawing file only to be inserted and exploded at once.
inline constexpr const wchar_t* kTempBlockName =
    L"tempBlockName-1A3E09BE-1E45-494B-9174-D7385B45BBF5";

// Inserts the block the request names (or whose dynamic-block true name it is) as a reference,
// or as an array reference when it has more than one row or column, into the request's space
// or else the active layout's ("CVPORT" 1 or less) or the current space. The scale is converted
// from the block's insertion units to the drawing's; single references add the UCS rotation.
// Non-constant attribute definitions become attributes (preset ones with their default text,
// others with the request's text for their id, else the default), with their fields. "INSNAME"
// takes the name. With the explode flag the reference is exploded into its space at once.
//
// Answers 5100 (with `insertId`), -5002 when no block has the name, -5001 for a null context
// or database, a space or layout that does not open, an array with no row or column, or a
// reference the drawing refused (nothing is left behind), and 5000 when exploding is refused
// ("EXPLMODE" 0 and unequal scale factors: the reference stays).
XQCMDUTIL_EXPORT int CreateInsert(IVexaBuildInCommandContext* context, QvDbObjectId& insertId,
                                  const CreateInsertData& data);
