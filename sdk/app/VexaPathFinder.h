#pragma once

#include "sdk/base/QvString.h"

class QvDbDatabase;

// The host's searches for drawing files named by other drawings (external references).

// The path finder: `path` as it stands when it names a file, then with ".`extension`" added
// when it has no extension, then its file name where the host's library search looks (the
// drawing's folder, the current folder, the support path). Search kind 4 is the only kind.
// True with the file's full path in `found`.
bool vexaFindPath(const QvString& path, const QvString& extension, int kind, QvString& found);

// The application's find-file service: `name` as the library search finds it for the drawing
// `db`; with a `hint` (a folder), the file name in that folder first. kQvNormal with the full
// path in `found`, else kQvError.
int vexaFindFileFor(const QvString& name, const QvDbDatabase* db, const QvString& hint,
                    QvString& found);
