#pragma once

#include "sdk/base/VexaErrorStatus.h"

class QvDbDatabase;
class QvGeMatrix3d;

// The matrix of a drawing's current UCS ("UCSORG", "UCSXDIR", "UCSYDIR"): it carries UCS
// coordinates to world coordinates (columns X, Y and Z = X x Y axis and origin). `db` null means
// the working database. On failure (no database, axes that are not a UCS) the matrix is the
// identity and the status says why (eNoDatabase, eInvalidInput).
Vexa::ErrorStatus qvdbUcsMatrix(QvGeMatrix3d& matrix, const QvDbDatabase* db = nullptr);
