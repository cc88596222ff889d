#pragma once

#include <cstdint>

#include "sdk/win/CArray.h"
#include "sdk/win/CStringArray.h"
#include "sdk/win/CWordArray.h"
#include "sdk/win/WinTypes.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The census of block references and their rescaling, on selection sets of the classic
// interface.

// 32-bit counts, parallel to a name array.
using XqBlockCounts = CArray<DWORD>;

// Counts the selected references per block (the visible block of dynamic and tag references;
// external references and anonymous blocks are left out) and prints the table. kQvNormal when
// it was printed, kQvError when no reference was counted.
XQCMDUTIL_EXPORT int CountBlockInserts(const int64_t ss[2]);
// Adds one to the count of `name` (case-sensitive), or appends it with 1. kQvError for a null
// name. The word-array form stops at 65535 rather than wrap.
XQCMDUTIL_EXPORT int AddToBlkCount(const wchar_t* name, CStringArray& names, XqBlockCounts& counts);
XQCMDUTIL_EXPORT int AddToBlkCount(const wchar_t* name, CStringArray& names, CWordArray& counts);
// Prints the table: a head, then per block its name, full stops up to column 30 (three for
// longer names) and its count. kQvError when there are no names.
XQCMDUTIL_EXPORT int OutputBlkInserts(const CStringArray& names, const XqBlockCounts& counts);
XQCMDUTIL_EXPORT int OutputBlkInserts(const CStringArray& names, const CWordArray& counts);

// Rescales the selected references: mode 0 multiplies their scale factors by the given ones,
// other modes set them. A reference with attributes (of a block not anonymous) is rebuilt with
// its attributes scaled along (see ScaleOneBlkInsert). "ATTREQ" and "ucsicon" are 0 meanwhile
// and restored, and the temporary block "acet-tmp-block" is purged when it can be. kQvNormal
// when every reference was scaled, else kQvError (the others are scaled still); objects that
// are no references are left alone.
XQCMDUTIL_EXPORT int ScaleBlkInserts(const int64_t ss[2], double sx, double sy, double sz,
                                     int mode);
// Rescales one reference. Without attributes its entity data take the new factors. With them
// it is rebuilt through the host's commands: "_.UCS" "_OB" on it, "_.BLOCK" of it into the
// temporary block `tempName` (redefined, "_Y", when it exists), "_.INSERT" of that block scaled
// by the change of factors, "_.EXPLODE" of the new reference ("EXPLMODE" 1 meanwhile), and
// "_.UCS" "_P"; the rescaled reference is then a new entity. kQvNormal; kQvError when its data
// or block name cannot be read, it is no reference, a factor is zero or not finite (nothing
// changes), or nothing was scaled (a rebuild that fails puts the reference back as it was).
XQCMDUTIL_EXPORT int ScaleOneBlkInsert(const int64_t ent[2], double sx, double sy, double sz,
                                       int mode, const wchar_t* tempName);
