#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class VexaSelectSet;

// Underlays chosen by the user: read out of selection sets and the pickfirst set, and the
// highlight and grips taken off again.

// When the pickfirst set holds something and there are active graphics: unhighlights the set
// and removes its grips, emptying it when `flag` is true, and has the graphics redrawn.
XQCMDUTIL_EXPORT void unhighAndRemoveGripSelectionSet(bool flag);
// When there are active graphics: shows the entity without highlight in every viewport and
// has the graphics redrawn.
XQCMDUTIL_EXPORT void unhighlightEntity(const QvDbObjectId& id);
// `id` = the first entity of the classic selection set `ss`, of whatever type; left alone when
// the set is empty or not there.
XQCMDUTIL_EXPORT void getFirstUnderlayIdFromSS(const qv_name ss, QvDbObjectId& id);
// `path` = the file of the DGN underlay that is first in `ss`; left alone when the first
// object is no DGN underlay or its definition does not open.
XQCMDUTIL_EXPORT void getDgnUnderlayPathFromSS(VexaSelectSet& ss, QvString& path);
// The number of objects in the pickfirst set; when that is one underlay, `definitionId` = its
// definition (left alone otherwise).
XQCMDUTIL_EXPORT int getSelectUnderlayDefinitionId(QvDbObjectId& definitionId);
// True when every DGN underlay in `ss` (other objects do not count) shows one definition, and
// it opens: `path` = its file (empty when the host finds none). False when `ss` has no DGN
// underlay or two that differ.
XQCMDUTIL_EXPORT bool isOneDgnFileInSS(VexaSelectSet& ss, QvString& path);
