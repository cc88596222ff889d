#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbDatabase;
struct InsertCommandState;

// The name and file steps of the insert command, before the placement questions. Each
// answers a classic result code; 5100 goes on.
namespace XqInsertResolution {

// The name question and the typed forms of a name.
int askName(InsertCommandState& state);
// The typed name: quotes, "*", "=", folders, the file search and reading.
int resolveTyped(InsertCommandState& state);
// The caller's name and file.
int resolveGiven(InsertCommandState& state);
// The definition's uniform scaling, and the redefinition from the file when pending.
int checkDefinition(InsertCommandState& state);
// "?": the blocks whose names match a pattern, with the counts.
int listBlocks(InsertCommandState& state);

// The definition named `name` (by name, or by a dynamic block's visible name), or null.
QvDbObjectId findBlock(QvDbDatabase* db, const QvString& name);
// When the block editor is open: whether the block `name` of `db` is the block being edited
// or uses it (message 14907). False when the editor is closed.
bool nestsEditedBlock(QvDbDatabase* db, const QvString& name);
// Whether the command has a user to ask: the context does not say it runs without one, and
// it is not a command sent from code.
bool isInteractive(const InsertCommandState& state);
// "File not found" (10824 with 10825 and the path) and the host's failed-search mark.
void reportNotFound(const QvString& path);

}  // namespace XqInsertResolution

#include <memory>

#include "sdk/db/QvDbDatabase.h"

// Drawing files read into blocks.
namespace XqInsertFiles {

// The file at `path` read into a side database by its extension (".dwg" and ".dws" as
// drawings, ".dxf" as DXF text, ".dwt" only with `templates`). Null after message 10835 when
// the file does not read (missing, a folder, binary, not a drawing) or has another extension.
std::unique_ptr<QvDbDatabase> read(const QvString& path, bool templates);
// Whether the side database has a block other than a layout named `name` (the symbol
// service's comparison, which ignores case).
bool holdsBlock(QvDbDatabase& side, const QvString& name);
// The side database's model space into `db` as the block `name` (new, or replacing the
// contents of the existing one). The definition takes the model space's scaling and
// explodable flag and the file's units; an annotative file makes it annotative and uniformly
// scaled (`annotative`). A failure changes nothing.
Vexa::ErrorStatus insert(QvDbDatabase* db, const QvString& name, QvDbDatabase& side,
                         QvDbObjectId& blockId, bool& annotative);

}  // namespace XqInsertFiles
