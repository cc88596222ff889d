#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;

// Copies the model space of `source` into `db` as the block `blockName`, as QvDbDatabase::insert
// does, as the contents of an external reference: the layers, linetypes, text and dimension
// styles and blocks that come along are named "PREFIX|NAME" (layer "0" and the linetypes ByBlock,
// ByLayer and Continuous excepted) and matched in `db` under that name. The source is never
// changed; a failure leaves `db` as it was. An empty prefix is a plain insert.
Vexa::ErrorStatus qvdbInsertDependent(QvDbDatabase* db, QvDbObjectId& blockId,
                                      const wchar_t* blockName, QvDbDatabase* source,
                                      const QvString& prefix);
