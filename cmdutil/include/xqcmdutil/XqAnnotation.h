#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class QvDbDatabase;
class QvDbDimStyleTableRecord;

// The annotative property of dimension styles and the annotative text style.
//
// A dimension style is annotative when its extended data of "AcadAnnotative" reads:
//   1000 "AnnotativeData", 1002 "{", 1070 1, 1070 flag, 1002 "}"
// with the flag 1 (0: not annotative).

// Whether the style (open for read at least) is annotative. False for a null record and for
// data that is missing, cut short or not of that form.
XQCMDUTIL_EXPORT bool IsDimStyleAnnotative(const QvDbDimStyleTableRecord* record);
// The same for a style by id: it is opened for read and closed again. False when it cannot be
// opened as a dimension style.
XQCMDUTIL_EXPORT bool IsDimStyleAnnotative(QvDbObjectId dimStyleId);

// Makes the style (open for write) annotative or not: registers "AcadAnnotative" in its
// database when it is missing, then writes the data above with the flag from `on`, in place of
// any "AcadAnnotative" data the style held. Extended data of other applications stays.
// eNullPtr for a null record, eNotOpenForWrite for one not open for write; otherwise the
// status of the registration or of setXData (the style's data is unchanged on failure).
XQCMDUTIL_EXPORT Vexa::ErrorStatus SetDimStyleAnnotative(QvDbDimStyleTableRecord* record, bool on);

// The id of the text style "Annotative" of `db`; null when db is null, its text style table
// cannot be opened or it has no such style.
XQCMDUTIL_EXPORT QvDbObjectId getTextStyleAnnotativeId(QvDbDatabase* db);
