#pragma once

#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Runs attribute entry on an existing block reference, on the active document's command
// context (its document-level one outside commands). True when the values were entered (or
// the reference has none to ask); false for a null id, no document or context, a reference
// that does not open, or an entry cancelled or failed (the attributes are then unchanged).
XQCMDUTIL_EXPORT bool EditAttBasedOnBlkRefId(const QvDbObjectId& referenceId);
