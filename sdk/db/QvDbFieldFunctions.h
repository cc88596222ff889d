#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbField;
class QvDbObject;

// The host's field functions used when attributes are made from their definitions.

// Copies every field of `source` (open for read) to `destination` (resident, open for write)
// under the same names; the copies replace fields of those names. eOk when `source` has none.
Vexa::ErrorStatus CopyFieldFrom(QvDbObject* destination, const QvDbObject* source);

// Gives a field (open for write) that refers to a still unknown block reference the reference
// `blockReferenceId`. A field that refers to no block reference, or to a known one, is left as
// it is (eOk).
Vexa::ErrorStatus TransUnresolvedBlockRefId(QvDbField* field, QvDbObjectId blockReferenceId);
