#pragma once

#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class IVexaBuildInCommandContext;

// The insert command: asks for a block name or drawing file (or takes the request's), reads
// a drawing file into a block definition (redefining an existing one when asked), then asks
// the insertion point, scale, rotation and array layout with drag previews, creates the
// reference (in data.resultId) and lets the user enter its attribute values.
//
// Names: "name", "name=file", "=file", "file" (with ".dwg", ".dxf", ".dws" or a folder; other
// names get ".DWG"), a leading "*" to explode, "?" to list the blocks, "~" for the file
// dialog. Answers 5100, 5000 (an empty answer where a value is needed, a file not found, a
// name that cannot be used), -5001 (an error, a file that does not read), -5002 (cancelled,
// refused) or -5008 (the request stops before inserting). A failure leaves the drawing as it
// was.
XQCMDUTIL_EXPORT int CreateInsertEnt(IVexaBuildInCommandContext* context, InsertData& data);
