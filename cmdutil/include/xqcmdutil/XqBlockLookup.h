#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The block definition of `blockTableId` named `name`: the record of that name (the table's
// comparison, without regard to case) or else the first dynamic block definition, in table
// order, whose visible name is `name` exactly (case counts). The visible name is the string
// that follows the application name in the definition's "AcDbDynamicBlockTrueName" extended
// data, or the definition's own name when it has none; a definition whose data holds no string
// there has no visible name and matches nothing. Null for a null table id, a null or empty
// name, a table that cannot be opened, or no match.
XQCMDUTIL_EXPORT QvDbObjectId getBlockIdByName(QvDbObjectId blockTableId, const wchar_t* name);

// The visible name of a block definition (see above) into `name`; false when it has none or
// does not open.
XQCMDUTIL_EXPORT bool getBlockVisibleName(QvDbObjectId blockId, QvString& name);
