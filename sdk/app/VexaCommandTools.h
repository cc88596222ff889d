#pragma once

#include "sdk/base/QvString.h"

// The host's command tools for the current document's file.
namespace VexaCommandTools {

// Sets the kind of the current document's file (VexaDocFileType). False, nothing changed,
// without a current document or for an unknown kind.
bool setCurDocumentFileType(int type);
// Sets the version the current document's next save writes (QvDb::DrawingVersion). False,
// nothing changed, without a current document or for a version the writer cannot write.
bool setVersionForSave(int version);
// The host's file dialog with the caller's flags as they are (vexaFileNavDialog): its answer,
// kFileDialogChosen with the file in `chosen`, kFileDialogNothing, kFileDialogCancelled, or
// kFileDialogFailed without a host. `chosen` is left alone unless a file is chosen.
int getFileByDialog(const QvString& title, const QvString& defaultName, const QvString& extensions,
                    int flags, QvString& chosen);

}  // namespace VexaCommandTools
